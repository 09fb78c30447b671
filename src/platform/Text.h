// UTF-8 / UTF-16 conversion for the portable core and its tests. The core keeps user
// text as UTF-16, as the window system does; these helpers are for logs, test names
// and the few places that meet UTF-8 (file names on Linux, command lines).
#pragma once

#include <string>
#include <string_view>

namespace tamvera {

// Invalid input becomes U+FFFD; nothing throws.
std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view utf16);

}  // namespace tamvera
