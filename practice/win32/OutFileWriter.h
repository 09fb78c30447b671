// Writing the out-file so that a reader never sees half of it.
#pragma once

#include <string>
#include <string_view>

namespace tamvera::practice {

// Writes the bytes under a temporary name beside the file, then renames that over the
// file. Returns false when the file could not be replaced; the old one is then intact.
bool replaceFileContents(const std::u16string& path, std::string_view bytes);

}  // namespace tamvera::practice
