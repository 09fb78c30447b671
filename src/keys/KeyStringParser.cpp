#include "keys/KeyStringParser.h"

#include <algorithm>
#include <limits>
#include <string>

#include "keys/KeyNames.h"
#include "platform/Failure.h"
#include "platform/Text.h"

namespace tamvera::keys {

namespace {

constexpr std::uint16_t kShift = 0x10;
constexpr std::uint16_t kControl = 0x11;
constexpr std::uint16_t kAlt = 0x12;
constexpr std::uint16_t kEnter = 0x0D;
constexpr std::int16_t kNoKey = -1;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::optional<std::int32_t> readRepeatCount(std::u16string_view word) {
    std::size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == u'+' || word[i] == u'-')) negative = word[i++] == u'-';

    // The integer part, held exactly up to a little past the 32-bit range.
    constexpr std::uint64_t kBeyond = std::uint64_t{1} << 33;
    std::uint64_t whole = 0;
    while (i < word.size() && isDigit(word[i])) {
        whole = std::min(whole * 10 + static_cast<std::uint64_t>(word[i++] - u'0'), kBeyond);
    }

    // The fraction decides the rounding only: its first digit, and whether any later one
    // is not 0 (so 2.5 is a half, 2.50001 is above it).
    int firstFractionDigit = 0;
    bool restNonZero = false;
    if (i < word.size() && word[i] == u'.') {
        ++i;
        if (i < word.size() && isDigit(word[i])) firstFractionDigit = word[i++] - u'0';
        for (; i < word.size() && isDigit(word[i]); ++i) {
            if (word[i] != u'0') restNonZero = true;
        }
    }

    const bool roundUp = firstFractionDigit > 5 || (firstFractionDigit == 5 && (restNonZero || whole % 2 == 1));
    const std::uint64_t magnitude = whole + (roundUp ? 1 : 0);
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

KeyStringParser::KeyStringParser(Platform& platform, std::u16string_view text)
    : platform_(platform), text_(text), layout_(platform.keyboardLayout()) {
    ansiCache_.fill(-2);
}

std::vector<KeyRecord> KeyStringParser::parseKeyString() {
    while (next_ < text_.size()) {
        parseToken();
        buffer_.growIfNearlyFull();
    }
    return buffer_.take();
}

std::vector<KeyRecord> KeyStringParser::parseLiteralText() {
    // At most eight records per character, so the growth between characters always keeps
    // enough room: literal text never fails.
    while (next_ < text_.size()) {
        typeCharacter(text_[next_++], false);
        buffer_.growIfNearlyFull();
    }
    return buffer_.take();
}

void KeyStringParser::parseToken() {
    const char16_t ch = text_[next_++];
    switch (ch) {
        case u'+': parseModifier(kShift); break;
        case u'^': parseModifier(kControl); break;
        case u'%': parseModifier(kAlt); break;
        case u'(': parseGroup(); break;
        case u'{': parseBraceKey(); break;
        default: typeCharacter(ch, true); break;
    }
}

void KeyStringParser::parseModifier(std::uint16_t modifier) {
    // A grade such as "B+" or "85%" ends here. Nesting depth is bounded by the buffer:
    // every level adds a record before it goes deeper.
    if (next_ >= text_.size())
        throw Failure("Rangkaian tombol \"" + utf8(text_) + "\" tidak lengkap: tidak ada tombol sesudah " +
                      static_cast<char>(text_[next_ - 1]));
    press(modifier, 0);
    if (modifier == kShift) shiftHeld_ = true;
    parseToken();
    release(modifier, 0);
    if (modifier == kShift) shiftHeld_ = false;
}

void KeyStringParser::parseGroup() {
    const std::size_t close = text_.find(u')', next_);
    // "(" without a ")" after it, or "()": nothing is sent and what follows the "(" is
    // read as ordinary tokens.
    if (close == std::u16string_view::npos || close == next_) return;
    for (std::size_t i = next_; i < close; ++i) typeCharacter(text_[i], true);
    next_ = close + 1;
}

void KeyStringParser::parseBraceKey() {
    const std::size_t open = next_ - 1;
    // The search starts two characters on, so that "{}}" and "{{}" are brace keys.
    const std::size_t close = text_.find(u'}', open + 2);
    if (close == std::u16string_view::npos) return;  // a lone "{" is dropped
    const std::u16string_view content = text_.substr(open + 1, close - open - 1);
    next_ = close + 1;

    // Words are split at every single space: in "{TAB  3}" the second word is empty.
    const std::size_t space = content.find(u' ');
    const std::u16string_view name = content.substr(0, space);
    std::int32_t count = 1;
    if (space != std::u16string_view::npos) {
        const std::u16string_view rest = content.substr(space + 1);
        const std::optional<std::int32_t> written = readRepeatCount(rest.substr(0, rest.find(u' ')));
        if (!written)
            throw Failure("Jumlah ulangan tombol di luar batas dalam \"{" + utf8(content) + "}\"");
        count = std::max<std::int32_t>(*written, 1);
    }

    const NamedKey key = lookUpKeyName(name);
    if (!key.found) {
        typeBraceFallback(content, count);
        return;
    }
    const Stroke stroke{key.code, false, false, key.extended};
    // A huge count stops at the first record that no longer fits: the call fails.
    for (std::int32_t n = 0; n < count; ++n) emitStroke(stroke);
}

void KeyStringParser::typeBraceFallback(std::u16string_view content, std::int32_t count) {
    // An unknown name types the first character of the content, as its key says, without
    // Caps Lock correction ("{a 3}" with Caps Lock on types "AAA").
    const char16_t first = content.front();
    const std::int16_t keyScan = keyScanOf(first);
    if (keyScan != kNoKey) {
        const Stroke stroke = strokeFromKeyScan(keyScan);
        for (std::int32_t n = 0; n < count; ++n) emitStroke(stroke);
        return;
    }
    // No key on this layout, or not in the ANSI code page: the character is typed as
    // written, by Unicode records (both halves of a surrogate pair).
    const std::size_t units = isHighSurrogate(first) && content.size() > 1 && isLowSurrogate(content[1]) ? 2 : 1;
    for (std::int32_t n = 0; n < count; ++n)
        for (std::size_t u = 0; u < units; ++u) typeUnicode(content[u]);
}

void KeyStringParser::typeCharacter(char16_t ch, bool tildeIsEnter) {
    if (ch >= 256) {
        typeUnicode(ch);
        return;
    }
    const std::int16_t keyScan = tildeIsEnter && ch == u'~' ? kEnter : keyScanOf(ch);
    if (keyScan == kNoKey) {
        typeUnicode(ch);
        return;
    }
    Stroke stroke = strokeFromKeyScan(keyScan);
    // Caps Lock would turn the case of a letter around: invert Shift so that the letter
    // comes out as written. Read for every letter, as a run may toggle it.
    if (isAsciiLetter(ch) && platform_.capsLockOn()) stroke.shift = !stroke.shift;
    emitStroke(stroke);
}

void KeyStringParser::typeUnicode(char16_t codeUnit) {
    buffer_.append({0, codeUnit, KeyFlag::Unicode});
    buffer_.append({0, codeUnit, KeyFlag::Unicode | KeyFlag::Up});
}

KeyStringParser::Stroke KeyStringParser::strokeFromKeyScan(std::int16_t keyScan) {
    const auto bits = static_cast<std::uint16_t>(keyScan);
    const unsigned shiftState = bits >> 8;
    Stroke stroke;
    stroke.code = bits & 0xFF;
    stroke.shift = (shiftState & 1) != 0;
    stroke.controlAlt = (shiftState & (2 | 4)) != 0;
    return stroke;
}

void KeyStringParser::emitStroke(const Stroke& stroke) {
    const bool shift = stroke.shift && !shiftHeld_;
    if (shift) press(kShift, 0);
    if (stroke.controlAlt) {
        press(kControl, 0);
        press(kAlt, 0);
    }
    press(stroke.code, stroke.extended ? KeyFlag::Extended : 0);
    release(stroke.code, static_cast<std::uint16_t>(platform_.mapVirtualKey(stroke.code, layout_)));
    if (stroke.controlAlt) {
        release(kControl, 0);
        release(kAlt, 0);
    }
    if (shift) release(kShift, 0);
}

void KeyStringParser::press(std::uint16_t vk, std::uint32_t flags) { buffer_.append({vk, 0, flags}); }

void KeyStringParser::release(std::uint16_t vk, std::uint16_t scan) { buffer_.append({vk, scan, KeyFlag::Up}); }

std::optional<unsigned char> KeyStringParser::ansiByteOf(char16_t ch) {
    std::int16_t* cached = ch < ansiCache_.size() ? &ansiCache_[ch] : nullptr;
    if (cached && *cached != -2) {
        if (*cached < 0) return std::nullopt;
        return static_cast<unsigned char>(*cached);
    }
    // A character the code page lacks would become its default character ("?") and be
    // typed as that: report it as missing instead.
    const AnsiText ansi = platform_.toAnsi(std::u16string_view(&ch, 1));
    std::optional<unsigned char> byte;
    if (ansi.exact && ansi.bytes.size() == 1) byte = static_cast<unsigned char>(ansi.bytes[0]);
    if (cached) *cached = byte ? *byte : -1;
    return byte;
}

std::int16_t KeyStringParser::keyScanOf(char16_t ch) {
    const std::optional<unsigned char> byte = ansiByteOf(ch);
    return byte ? platform_.vkKeyScan(*byte) : kNoKey;
}

}  // namespace tamvera::keys
