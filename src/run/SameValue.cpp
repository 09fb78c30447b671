#include "run/SameValue.h"

#include <algorithm>
#include <optional>
#include <string>

namespace tamvera::run {

namespace {

bool isDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
bool isOuterSpace(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\u00A0'; }

std::u16string_view trimmed(std::u16string_view s) {
    while (!s.empty() && isOuterSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isOuterSpace(s.back())) s.remove_suffix(1);
    return s;
}

// Lower case for ASCII and Latin-1 letters; other characters must match as they are.
char16_t folded(char16_t ch) {
    const bool upperAscii = ch >= u'A' && ch <= u'Z';
    const bool upperLatin1 = ch >= u'\u00C0' && ch <= u'\u00DE' && ch != u'\u00D7';
    return (upperAscii || upperLatin1) ? static_cast<char16_t>(ch + 0x20) : ch;
}

bool equalFolded(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return folded(x) == folded(y); });
}

// A plain decimal number as a canonical text: an optional minus, the whole part without
// leading zeros, and the fraction without trailing zeros after a "."; nothing for any other text.
std::optional<std::u16string> canonicalNumber(std::u16string_view s) {
    std::u16string sign;
    if (!s.empty() && s.front() == u'-') {
        sign = u"-";
        s.remove_prefix(1);
    }
    const std::size_t sep = s.find_first_of(u".,");
    std::u16string_view whole = s.substr(0, sep);
    std::u16string_view fraction = sep == std::u16string_view::npos ? std::u16string_view() : s.substr(sep + 1);
    const bool digitsOnly = std::all_of(whole.begin(), whole.end(), isDigit) &&
                            std::all_of(fraction.begin(), fraction.end(), isDigit);
    const bool hasFraction = sep != std::u16string_view::npos;
    if (whole.empty() || !digitsOnly || (hasFraction && (fraction.empty() || fraction.size() == 3))) {
        return std::nullopt;
    }
    while (whole.size() > 1 && whole.front() == u'0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == u'0') fraction.remove_suffix(1);
    return sign + std::u16string(whole) + (fraction.empty() ? u"" : u"." + std::u16string(fraction));
}

bool sameNumber(std::u16string_view a, std::u16string_view b) {
    const auto x = canonicalNumber(a);
    return x && x == canonicalNumber(b);
}

// The entry begins with the value and one of the separators that put a label after it.
bool isListEntryOf(std::u16string_view value, std::u16string_view entry) {
    static constexpr std::u16string_view kSeparators[] = {u" - ", u" (", u". ", u": "};
    if (value.empty() || entry.size() <= value.size() || !equalFolded(value, entry.substr(0, value.size()))) {
        return false;
    }
    const std::u16string_view rest = entry.substr(value.size());
    return std::any_of(std::begin(kSeparators), std::end(kSeparators),
                       [&](std::u16string_view sep) { return rest.substr(0, sep.size()) == sep; });
}

}  // namespace

Sameness sameValue(std::u16string_view pasted, std::u16string_view shown) {
    if (pasted == shown) return Sameness::Exact;
    const std::u16string_view value = trimmed(pasted);
    const std::u16string_view field = trimmed(shown);
    if (equalFolded(value, field)) return Sameness::Letters;
    if (sameNumber(value, field)) return Sameness::Number;
    if (isListEntryOf(value, field)) return Sameness::ListEntry;
    return Sameness::Differs;
}

}  // namespace tamvera::run
