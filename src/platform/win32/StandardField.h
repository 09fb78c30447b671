// Standard Windows fields (the system's EDIT and COMBOBOX classes) read with window
// messages alone: every call has a time limit, so such a read can never hang, and no
// accessibility object is made or marshalled for it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace tamvera {

// The reading of `window` when it is a standard field; nothing for any other window
// (which is read through its accessibility object instead).
std::optional<FieldReading> readStandardField(HWND window, UINT answerMs);

// Any window's text (WM_GETTEXT), whole even while the other program is changing it;
// nothing when the window did not answer within `answerMs` or its text never settled.
std::optional<std::wstring> windowText(HWND window, UINT answerMs);

}  // namespace tamvera
