// One read of the foreground window's focused field through Microsoft Active
// Accessibility, the interface screen readers use: its kind, value and which field it is.
// Blocks while the other program answers: FieldReader calls it on a thread of its own.
#pragma once

#include <windows.h>

#include <objbase.h>  // CoInitializeEx: the caller's COM apartment

#include "platform/Platform.h"

namespace tamvera {

// The calling thread must have entered a COM apartment.
FieldReading readFocusedField();

}  // namespace tamvera
