// The message boxes of an entry run.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tamvera::run {

inline constexpr std::u16string_view kAppTitle = u"Tamvera";
inline constexpr std::u16string_view kConfirmText = u"Jangan sentuh mouse/keyboard pada saat proses berlangsung!";
inline constexpr std::u16string_view kApologyText =
    u"Maaf! terjadi kesalahan. Pastikan anda sudah mengikuti prosedur penggunaan program dengan benar";

// OK/Cancel with the question icon; true when the user chose OK.
inline bool ConfirmStart(Platform& platform) {
    return platform.messageBox(kConfirmText, kAppTitle, MessageButtons::OkCancel, MessageIcon::Question) ==
           MessageAnswer::Ok;
}

// Whether a run goes on from where the last one stopped: Yes, No or Cancel.
inline MessageAnswer AskToGoOn(Platform& platform, std::u16string_view question) {
    return platform.messageBox(question, kAppTitle, MessageButtons::YesNoCancel, MessageIcon::Question);
}

// A run that would have typed over a value already done, stopped before its first key.
inline void ShowAlreadyFilled(Platform& platform, std::u16string_view text) {
    platform.messageBox(text, kAppTitle, MessageButtons::Ok, MessageIcon::Warning);
}

// The apology shown when a run fails or is stopped by the foreground guard; a run that
// stopped before its last value says where, on a line of its own.
inline void ShowApology(Platform& platform, std::u16string_view stopLine = {}) {
    std::u16string text(kApologyText);
    if (!stopLine.empty()) text += u"\n" + std::u16string(stopLine);
    platform.messageBox(text, kAppTitle, MessageButtons::Ok, MessageIcon::Information);
}

// What verified entry found, after the two beeps of a run; nothing when `text` is empty.
inline void ShowClosingMessage(Platform& platform, std::u16string_view text) {
    if (!text.empty()) platform.messageBox(text, kAppTitle, MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace tamvera::run
