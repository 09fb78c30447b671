// The platform's picture object (IPicture) behind the control's portable Picture handle:
// what a flat button shows as its Icon.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>

#include "controls/ButtonPaint.h"
#include "platform/win32/GdiHandles.h"

namespace tamvera::controls::win32 {

using tamvera::win32::ComRef;

class OlePicture final : public Picture {
public:
    explicit OlePicture(ComRef<IPicture> picture);

    // A picture from the bytes of an image file (BMP, ICO, JPEG, GIF, WMF) through
    // OleLoadPicture; null when they are not a picture.
    static PictureRef load(const void* bytes, std::size_t size);

    bool hasImage() const override;
    double himetricWidth() const override { return static_cast<double>(width_); }
    double himetricHeight() const override { return static_cast<double>(height_); }
    IPicture* get() const { return picture_.get(); }

private:
    ComRef<IPicture> picture_;
    OLE_XSIZE_HIMETRIC width_ = 0;
    OLE_YSIZE_HIMETRIC height_ = 0;
};

// Draws `op.picture` right side up in its natural size (as the paint list gives it) with
// the picture object's own render operation. Any failure is swallowed: false, nothing
// more drawn.
bool renderPicture(HDC target, const paint::RenderPicture& op);

}  // namespace tamvera::controls::win32
