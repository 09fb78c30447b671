#include "core/ShownValue.h"

#include <algorithm>

namespace tamvera::practice {

namespace {

bool isDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

char16_t upper(char16_t ch) {
    const bool lowerAscii = ch >= u'a' && ch <= u'z';
    const bool lowerLatin1 = ch >= u'\u00E0' && ch <= u'\u00FE' && ch != u'\u00F7';
    return (lowerAscii || lowerLatin1) ? static_cast<char16_t>(ch - 0x20) : ch;
}

// Adds one to a string of decimal digits.
void increment(std::u16string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != u'9') {
            ++*it;
            return;
        }
        *it = u'0';
    }
    digits.insert(digits.begin(), u'1');
}

std::u16string twoDecimals(const std::u16string& text) {
    const std::size_t signLength = !text.empty() && text.front() == u'-' ? 1 : 0;
    const std::u16string number = text.substr(signLength);
    const std::size_t sep = number.find_first_of(u".,");
    const std::u16string whole = number.substr(0, sep);
    const std::u16string fraction = sep == std::u16string::npos ? u"" : number.substr(sep + 1);
    const bool wellFormed = !whole.empty() && std::all_of(whole.begin(), whole.end(), isDigit) &&
                            std::all_of(fraction.begin(), fraction.end(), isDigit) &&
                            (sep == std::u16string::npos || !fraction.empty());
    if (!wellFormed) return text;
    std::u16string cents = whole + (fraction + u"00").substr(0, 2);
    if (fraction.size() > 2 && fraction[2] >= u'5') increment(cents);
    const std::size_t firstKept = std::min(cents.find_first_not_of(u'0'), cents.size() - 3);
    cents.erase(0, firstKept);  // "085" is shown as 85, but 0,50 keeps its zero
    return text.substr(0, signLength) + cents.substr(0, cents.size() - 2) + u"," + cents.substr(cents.size() - 2);
}

}  // namespace

std::u16string shownValue(ValueForm form, const std::u16string& stored) {
    switch (form) {
    case ValueForm::TwoDecimals: return twoDecimals(stored);
    case ValueForm::UpperCase:
    case ValueForm::AsTyped:
    case ValueForm::Predicate: break;
    }
    return stored;
}

char16_t typedCharacter(ValueForm form, char16_t ch) { return form == ValueForm::UpperCase ? upper(ch) : ch; }

std::vector<std::u16string> predicateEntries() {
    return {u"A - Sangat Baik", u"B - Baik", u"C - Cukup", u"D - Kurang"};
}

}  // namespace tamvera::practice
