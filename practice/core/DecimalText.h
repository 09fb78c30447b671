#pragma once

#include <string>

namespace tamvera::practice {

inline std::u16string decimalText(long long n) {
    std::u16string text;
    for (char ch : std::to_string(n)) text.push_back(static_cast<char16_t>(ch));
    return text;
}

}  // namespace tamvera::practice
