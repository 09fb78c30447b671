#include "window/win32/PictureBox.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "controls/win32/OlePicture.h"

namespace tamvera::window::win32 {

namespace {

constexpr wchar_t ClassName[] = L"TamveraPicture";
constexpr wchar_t ArtworkResource[] = L"TAMVERA_ARTWORK";

controls::PictureRef loadArtwork(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, ArtworkResource, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return nullptr;
    return controls::win32::OlePicture::load(bytes, SizeofResource(instance, found));
}

}  // namespace

ATOM PictureBox::registerClass() {
    static const ATOM atom = [] {
        const WNDCLASSEXW wc = windowClass(ClassName);
        return RegisterClassExW(&wc);
    }();
    return atom;
}

PictureBox::PictureBox(const PictureBoxArgs& args)
    : chrome_(*args.chrome),
      tpp_(args.tpp),
      artwork_(loadArtwork(args.instance)),
      labelFont_(makeFont(kSegoeUi9, args.tpp.y, false)),
      labelBoldFont_(makeFont(kSegoeUi9, args.tpp.y, true)),
      versionFont_(makeFont(kVerdana825Italic, args.tpp.y)) {}

std::unique_ptr<PictureBox> PictureBox::create(const PictureBoxArgs& args) {
    const ControlEntry* entry = findControl("Picture1");
    if (!args.chrome || !entry || !registerClass()) return nullptr;
    std::unique_ptr<PictureBox> box(new PictureBox(args));
    const PixelRect r = toPixels(entry->rect, args.tpp);
    // Clipped by its siblings: the windowed controls lie above it (the form puts it at
    // the bottom once they exist).
    HWND window = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.left, r.top, r.width,
                                  r.height, args.parent, nullptr, GetModuleHandleW(nullptr), box.get());
    if (!window) return nullptr;
    return box;
}

PictureBox::~PictureBox() {
    if (hwnd_) DestroyWindow(hwnd_);
}


LRESULT PictureBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_PAINT: paint(); return 0;
    case WM_LBUTTONDOWN: pressed(controls::mouse::Left, lParam); return 0;
    case WM_RBUTTONDOWN: pressed(controls::mouse::Right, lParam); return 0;
    case WM_MBUTTONDOWN: pressed(controls::mouse::Middle, lParam); return 0;
    case WM_LBUTTONUP: released(controls::mouse::Left, lParam); return 0;
    case WM_RBUTTONUP: released(controls::mouse::Right, lParam); return 0;
    case WM_MBUTTONUP: released(controls::mouse::Middle, lParam); return 0;
    case WM_MOUSEMOVE: chrome_.mouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_CAPTURECHANGED:
        if (capturing_) {
            capturing_ = false;
            chrome_.captureLost();
        }
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void PictureBox::pressed(std::int16_t button, LPARAM lParam) {
    chrome_.mouseDown(button, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void PictureBox::released(std::int16_t button, LPARAM lParam) {
    // Last: a click may end the program or open a message box.
    chrome_.mouseUp(button, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void PictureBox::captureMouse(bool captured) {
    if (!hwnd_) return;
    if (captured) {
        SetCapture(hwnd_);
        capturing_ = true;
    } else if (capturing_) {
        capturing_ = false;  // first: our own release is no loss of the mouse
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
}

void PictureBox::invalidateCloseLabel() {
    const ControlEntry* close = findControl("Btn_Close");
    if (!hwnd_ || !close) return;
    const RECT r = toRect(toPixels(close->rect, tpp_));
    InvalidateRect(hwnd_, &r, FALSE);
}

// --- Drawing ---------------------------------------------------------------------------

void PictureBox::paint() {
    PaintDC scope(hwnd_);
    if (!scope.get()) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Drawn off screen first, so a repaint of the "X" never flickers.
    tamvera::win32::MemoryDC memory(scope.get());
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(scope.get(), client.right, client.bottom));
    if (!memory || !bitmap) return;
    tamvera::win32::Selection selected(memory.get(), bitmap.get());
    FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    drawArtwork(memory.get());
    // Bottom of the stacking order first, so what lies above is drawn over it.
    for (auto it = kControls.rbegin(); it != kControls.rend(); ++it) {
        if (it->container != Container::Picture1) continue;
        if (it->kind == Kind::Line) drawLine(memory.get(), *it);
        if (it->kind == Kind::Label) drawLabel(memory.get(), *it);
    }
    const RECT& area = scope.area();
    BitBlt(scope.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left,
           area.top, SRCCOPY);
}

void PictureBox::drawArtwork(HDC dc) const {
    if (!artwork_) return;
    // The whole picture at its size in twips (its natural size at 96 dpi), top left at
    // the client origin.
    controls::paint::RenderPicture op;
    op.picture = artwork_;
    op.himetricWidth = artwork_->himetricWidth();
    op.himetricHeight = artwork_->himetricHeight();
    op.width = toPixels(kArtworkWidthTwips, tpp_.x);
    op.height = toPixels(kArtworkHeightTwips, tpp_.y);
    controls::win32::renderPicture(dc, op);
}

void PictureBox::drawLine(HDC dc, const ControlEntry& line) const {
    // A line's "rect" holds its two ends.
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, line.foreColour.value_or(kLineColour)));
    tamvera::win32::Selection selected(dc, pen.get());
    MoveToEx(dc, toPixels(line.rect.left, tpp_.x), toPixels(line.rect.top, tpp_.y), nullptr);
    LineTo(dc, toPixels(line.rect.width, tpp_.x), toPixels(line.rect.height, tpp_.y));
}

void PictureBox::drawLabel(HDC dc, const ControlEntry& label) const {
    if (label.text.empty()) return;  // the transparent click and drag areas
    HFONT font = labelFont_.get();
    if (label.font && label.font->italic) font = versionFont_.get();
    if (label.font && label.font->bold) font = labelBoldFont_.get();
    if (label.name == "Btn_Close" && chrome_.closeLook() == CloseLook::Bold) font = labelBoldFont_.get();
    tamvera::win32::Selection selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.foreColour.value_or(kGreyText));
    RECT r = toRect(toPixels(label.rect, tpp_));
    const std::wstring text(label.text.begin(), label.text.end());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tamvera::window::win32
