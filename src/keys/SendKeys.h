// The key-string sender: turns text in the send-keys syntax into keyboard records and
// injects them with one SendInput call.
//
// Syntax: `+` `^` `%` hold Shift, Control, Alt around the next token; `(...)` types its
// characters; `{NAME}` / `{NAME n}` presses a named key (or a character) n times; `~` is
// ENTER; every other character is typed as itself.
#pragma once

#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tamvera::keys {

// The records for a key string. Throws Failure when a modifier has no token after it,
// or when one token needs more records than the buffer has free.
std::vector<KeyRecord> buildKeyString(Platform& platform, std::u16string_view keys);

// The records that type `text` literally: every character as itself (a `~` is a tilde,
// `+^%(){}` are characters). Never fails, whatever the length.
std::vector<KeyRecord> buildLiteralText(Platform& platform, std::u16string_view text);

// Builds and sends in one SendInput call; nothing is sent for no records. Throws Failure
// on a syntax failure (nothing sent) and when the system inserts fewer records than given.
void SendKeyString(Platform& platform, std::u16string_view keys);
void SendLiteralText(Platform& platform, std::u16string_view text);

}  // namespace tamvera::keys
