// What the flat button's model needs from the window that shows it. The Win32 control
// implements it with real calls; the native tests with a recording double.
#pragma once

#include <cstdint>

#include "controls/ButtonPaint.h"

namespace tamvera::controls {

// A pointer (cursor) handle; 0 is "none".
using CursorHandle = std::uintptr_t;

class ButtonHost {
public:
    virtual ~ButtonHost() = default;

    // The control's client size in twips and the screen's twips per pixel.
    virtual ClientMetrics metrics() = 0;
    // Enables or disables the control's window; a disabled window gets no mouse input.
    virtual void setWindowEnabled(bool enabled) = 0;
    // Executes a paint on the control's persistent surface.
    virtual void paint(const PaintList& ops) = 0;

    // The system's shared hand pointer (never destroyed), 0 when there is none.
    virtual CursorHandle loadHandCursor() = 0;
    virtual void setCursor(CursorHandle cursor) = 0;
    // Runs the control's timer Timer1 every `milliseconds`; 0 stops it.
    virtual void setTimer1Interval(int milliseconds) = 0;
    // True when the window under the pointer is the control's own window (not a window
    // lying above it, not a child inside it).
    virtual bool pointerWindowIsControl() = 0;
};

}  // namespace tamvera::controls
