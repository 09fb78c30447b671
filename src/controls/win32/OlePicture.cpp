#include "controls/win32/OlePicture.h"

#include <cstring>

namespace tamvera::controls::win32 {

OlePicture::OlePicture(ComRef<IPicture> picture) : picture_(std::move(picture)) {
    if (!picture_) return;
    if (FAILED(picture_->get_Width(&width_))) width_ = 0;
    if (FAILED(picture_->get_Height(&height_))) height_ = 0;
}

bool OlePicture::hasImage() const {
    OLE_HANDLE handle = 0;
    return picture_ && SUCCEEDED(picture_->get_Handle(&handle)) && handle != 0;
}

PictureRef OlePicture::load(const void* bytes, std::size_t size) {
    if (!bytes || size == 0 || size > 0x7FFFFFFF) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {  // the stream frees the memory
        GlobalFree(memory);
        return nullptr;
    }
    ComRef<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.put()))))
        return nullptr;
    return std::make_shared<OlePicture>(std::move(picture));
}

bool renderPicture(HDC target, const paint::RenderPicture& op) {
    try {
        const auto* ole = dynamic_cast<const OlePicture*>(op.picture.get());
        if (!ole || !ole->get() || !ole->hasImage()) return false;
        const auto hmWidth = static_cast<OLE_XSIZE_HIMETRIC>(op.himetricWidth);
        const auto hmHeight = static_cast<OLE_YSIZE_HIMETRIC>(op.himetricHeight);
        // HIMETRIC runs upwards: start at the picture's top and go down by its height.
        return SUCCEEDED(ole->get()->Render(target, op.x, op.y, op.width, op.height, 0, hmHeight, hmWidth,
                                            -hmHeight, nullptr));
    } catch (...) {
        return false;
    }
}

}  // namespace tamvera::controls::win32
