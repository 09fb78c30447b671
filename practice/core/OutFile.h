// The out-file: what every grade field holds, as UTF-8 text without a byte-order mark,
// one line per grid row ending in LF, the fields of a row separated by TAB. Fields
// never hold TAB, CR or LF (those arrive as keys, not characters), so the text reads
// back unambiguously.
#pragma once

#include <string>

#include "core/GradeGrid.h"

namespace tamvera::practice {

std::string formatOutFile(const GradeGrid& grades);

// The name the out-file is written under before it is renamed over the real one.
std::u16string temporaryOutPath(const std::u16string& outPath);

}  // namespace tamvera::practice
