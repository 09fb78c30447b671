// The brace key names: `{TAB}`, `{RIGHT 2}`, `{F5}` ...
#pragma once

#include <cstdint>
#include <string_view>

namespace tamvera::keys {

struct NamedKey {
    std::uint16_t code = 0;  // virtual-key code; 0 when the name is unknown
    bool extended = false;   // the key-down record carries KEYEVENTF_EXTENDEDKEY
    bool found = false;
};

// Looks a brace key name up, without regard to ASCII case. An unknown name gives code 0,
// not extended, not found; it never throws.
NamedKey lookUpKeyName(std::u16string_view name);

}  // namespace tamvera::keys
