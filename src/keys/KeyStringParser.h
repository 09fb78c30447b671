// Key strings and literal text -> keyboard records. Pure: it asks the platform about the
// keyboard layout, Caps Lock and the ANSI code page, and sends nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "keys/RecordBuffer.h"
#include "platform/Platform.h"

namespace tamvera::keys {

// The repeat count written in a brace key's second word: its leading number (optional
// sign, digits, optional decimal fraction; the rest of the word is ignored; no number
// reads 0), rounded to the nearest integer with halves to even. Empty when the rounded
// number does not fit a signed 32-bit integer. The caller turns counts below 1 into 1.
std::optional<std::int32_t> readRepeatCount(std::u16string_view word);

// One parse of one text. It reads the keyboard layout once, when it is made; the parse
// position, the Shift-held flag and the record buffer live and die with it.
class KeyStringParser {
public:
    KeyStringParser(Platform& platform, std::u16string_view text);

    // Reads the text in the send-keys syntax. Throws Failure when a modifier has no token
    // after it, or when one token needs more records than the buffer has free.
    std::vector<KeyRecord> parseKeyString();
    // Types every character as itself; never fails.
    std::vector<KeyRecord> parseLiteralText();

private:
    // One press and release of a key, with what must be held around it.
    struct Stroke {
        std::uint16_t code = 0;
        bool shift = false;
        bool controlAlt = false;  // AltGr level: Control and Alt both held
        bool extended = false;
    };
    static Stroke strokeFromKeyScan(std::int16_t keyScan);

    void parseToken();
    void parseModifier(std::uint16_t modifier);
    void parseGroup();
    void parseBraceKey();
    void typeBraceFallback(std::u16string_view content, std::int32_t count);

    void typeCharacter(char16_t ch, bool tildeIsEnter);
    void typeUnicode(char16_t codeUnit);
    void emitStroke(const Stroke& stroke);
    void press(std::uint16_t vk, std::uint32_t flags);
    void release(std::uint16_t vk, std::uint16_t scan);

    // The character as one byte of the ANSI code page; empty when the code page lacks it.
    std::optional<unsigned char> ansiByteOf(char16_t ch);
    // VkKeyScanA of the character, -1 when it has no key or no ANSI byte.
    std::int16_t keyScanOf(char16_t ch);

    Platform& platform_;
    std::u16string_view text_;
    std::uintptr_t layout_;
    std::size_t next_ = 0;  // index of the next character to read
    bool shiftHeld_ = false;
    RecordBuffer buffer_;
    // ANSI bytes of the characters 0-255 met so far in this call (-2 not asked yet,
    // -1 not in the code page); the conversion is the same for the whole call.
    std::array<std::int16_t, 256> ansiCache_;
};

}  // namespace tamvera::keys
