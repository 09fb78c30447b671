// Text pasted into the grade box. The box keeps line ends as the clipboard brings them,
// and the hand-off file's reader ends a row only at CR or CR LF: a list copied with
// LF-only line ends (from some web pages and other systems) would be one long row, its
// LFs typed as Ctrl+ENTER inside the cells. So a paste gets CR LF line ends first.
#pragma once

#include <string>
#include <string_view>

namespace tamvera::window {

// `text` with every line end - CR LF, a lone LF or a lone CR - written as CR LF;
// everything else unchanged.
std::u16string WithCrLfLineEnds(std::u16string_view text);

}  // namespace tamvera::window
