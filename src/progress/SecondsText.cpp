#include "progress/SecondsText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/Failure.h"

namespace tamvera::progress {

namespace {
constexpr int kSignificantDigits = 15;

std::u16string widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
}  // namespace

std::u16string FormatSeconds(double value, char16_t decimalSeparator) {
    if (!std::isfinite(value)) throw Failure("a value holder overflowed");
    // d.dddddddddddddde±x: the 15 significant digits and the decimal exponent.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, kSignificantDigits - 1);
    const std::string scientific(buffer, result.ptr);
    const auto e = scientific.find('e');
    const bool negative = scientific[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (scientific[i] != '.') digits.push_back(scientific[i]);
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (digits == "0") return u"0";  // also -0

    std::string whole, fraction;
    if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            whole = digits + std::string(wholeDigits - digits.size(), '0');
        } else {
            whole = digits.substr(0, wholeDigits);
            fraction = digits.substr(wholeDigits);
        }
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    std::u16string text = widen((negative ? "-" : "") + whole);
    if (!fraction.empty()) {
        text += decimalSeparator;
        text += widen(fraction);
    }
    return text;
}

double ParseSeconds(std::u16string_view text, char16_t decimalSeparator) {
    std::string ascii;
    bool digitSeen = false, separatorSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'-' && i == 0) {
            ascii.push_back('-');
        } else if (c >= u'0' && c <= u'9') {
            ascii.push_back(static_cast<char>(c));
            digitSeen = true;
        } else if (c == decimalSeparator && !separatorSeen && digitSeen) {
            ascii.push_back('.');
            separatorSeen = true;
        } else {
            throw Failure("a value holder does not hold a number");
        }
    }
    if (!digitSeen || ascii.back() == '.') throw Failure("a value holder does not hold a number");
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        throw Failure("a value holder does not hold a number");
    return value;
}

}  // namespace tamvera::progress
