// The flat button on real windows: what it draws (read back from the screen), and how it
// answers the real mouse and keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/ButtonPaint.h"
#include "controls/SkinBitmap.h"
#include "controls/ucBtnFacebook.h"
#include "controls/win32/FlatButton.h"
#include "platform/win32/GdiHandles.h"
#include "controls/win32/OlePicture.h"

using namespace tamvera::controls;
using namespace tamvera::controls::win32;
using namespace tamvera::win32;

namespace {

// --- Messages, input, pixels ---------------------------------------------------------

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (translateAccessKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Handles messages until `done` holds or the deadline passes; the result is `done()`.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        pump();
        Sleep(5);
    }
    return true;
}

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        pump();
        Sleep(5);
    }
}

void sendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.dx = dx;
    in.mi.dy = dy;
    SendInput(1, &in, sizeof in);
}

POINT cursor() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

// Moves the real pointer to a screen position and waits until the system has it there.
void moveMouseTo(POINT screen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65536 + w - 1) / w, (screen.y * 65536 + h - 1) / h);
    EXPECT_TRUE(pumpUntil([&] {
        const POINT p = cursor();
        return p.x == screen.x && p.y == screen.y;
    })) << "pointer did not reach " << screen.x << "," << screen.y;
    pumpFor(30);
}

POINT onScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> in;
    for (const auto& [vk, up] : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// The client area of a window as it is on screen, read back pixel by pixel.
class Capture {
public:
    explicit Capture(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        width = r.right;
        height = r.bottom;
        WindowDC source(window);
        MemoryDC copy(source.get());
        GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(source.get(), width, height));
        {
            Selection select(copy.get(), bitmap.get());
            BitBlt(copy.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        pixels_.resize(static_cast<std::size_t>(width * height));
        GetDIBits(copy.get(), bitmap.get(), 0, height, pixels_.data(), &info, DIB_RGB_COLORS);
    }
    // As RGB(r, g, b).
    Colour at(int x, int y) const {
        const std::uint32_t bgra = pixels_.at(static_cast<std::size_t>(y * width + x));
        return rgb((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    bool operator==(const Capture& o) const { return pixels_ == o.pixels_; }
    int width = 0, height = 0;

private:
    std::vector<std::uint32_t> pixels_;
};

std::string describe(Colour c) {
    return "RGB(" + std::to_string(red(c)) + ", " + std::to_string(green(c)) + ", " + std::to_string(blue(c)) + ")";
}

#define EXPECT_COLOUR(actual, expected) EXPECT_EQ(describe(actual), describe(expected))

bool similar(Colour a, Colour b, int tolerance) {
    return std::abs(int(red(a)) - int(red(b))) <= tolerance && std::abs(int(green(a)) - int(green(b))) <= tolerance &&
           std::abs(int(blue(a)) - int(blue(b))) <= tolerance;
}

// --- The test window -----------------------------------------------------------------

// A plain white top-level window at a known place (no window manager: it stays there).
class TestWindow {
public:
    TestWindow(int x, int y, int width, int height) {
        static const ATOM cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = L"TamveraFlatButtonTestWindow";
            return RegisterClassW(&wc);
        }();
        (void)cls;
        hwnd_ = CreateWindowExW(0, L"TamveraFlatButtonTestWindow", L"Uji Tombol", WS_POPUP | WS_VISIBLE, x, y, width,
                                height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

class FlatButtonWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.hwnd(), nullptr);
        SetForegroundWindow(window.hwnd());
        moveMouseTo({5, 5});  // off the test window
        pumpFor(50);
    }

    // A button at (left, top) pixels of the test window, w × h pixels.
    std::unique_ptr<FlatButton> place(ucBtnFacebook& model, int left, int top, int w = 145, int h = 25) {
        auto button = FlatButton::create({.parent = window.hwnd(),
                                          .model = &model,
                                          .left = left * 15,
                                          .top = top * 15,
                                          .width = w * 15,
                                          .height = h * 15});
        EXPECT_NE(button, nullptr);
        pumpFor(20);
        return button;
    }

    TestWindow window{100, 100, 480, 320};
};

// --- Drawing -------------------------------------------------------------------------

TEST_F(FlatButtonWindow, SkinResourceHoldsTheGeneratedBitmap) {
    GdiObject<HBITMAP> skin(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), SkinResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(skin) << "the executable lacks the skin resource (link tamvera_controls_res)";
    BITMAP info{};
    GetObjectW(skin.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, SkinWidth);
    EXPECT_EQ(info.bmHeight, SkinHeight);
    BITMAPINFO dib{};
    dib.bmiHeader.biSize = sizeof dib.bmiHeader;
    dib.bmiHeader.biWidth = SkinWidth;
    dib.bmiHeader.biHeight = -SkinHeight;  // top-down
    dib.bmiHeader.biPlanes = 1;
    dib.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(SkinWidth * SkinHeight);
    WindowDC screen(nullptr);
    ASSERT_EQ(GetDIBits(screen.get(), skin.get(), 0, SkinHeight, pixels.data(), &dib, DIB_RGB_COLORS), SkinHeight);
    for (int y = 0; y < SkinHeight; ++y)
        for (int x = 0; x < SkinWidth; ++x) {
            const std::uint32_t bgra = pixels[static_cast<std::size_t>(y * SkinWidth + x)];
            const Colour c = rgb((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
            ASSERT_EQ(describe(c), describe(skinPixel(x, y))) << "at " << x << "," << y;
        }
}

TEST_F(FlatButtonWindow, SkinnedButtonsShowTheFaceAndFrameOfTheirStyleAndState) {
    struct Case {
        std::int32_t style;
        bool pressed, enabled;
        Colour face;
        Colour frame;  // 0: the light frame
    };
    const Case cases[] = {
        {0, false, true, rgb(245, 245, 245), 0},
        {0, true, true, rgb(243, 243, 243), 0},
        {1, false, true, rgb(65, 170, 249), rgb(36, 141, 222)},
        {1, true, true, rgb(24, 153, 248), rgb(36, 141, 222)},
        {2, false, true, rgb(123, 204, 28), rgb(106, 180, 29)},
        {2, true, true, rgb(124, 203, 29), rgb(106, 180, 29)},
        {2, false, false, rgb(230, 235, 242), 0},
        {1, false, false, rgb(230, 235, 242), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << c.style << (c.pressed ? " pressed" : " up")
                                          << (c.enabled ? "" : " disabled"));
        ucBtnFacebook model{u"Btn_Uji"};
        model.setCaption(u"Mulai");
        model.setBtnStyle(c.style);
        model.setEnabled(c.enabled);
        auto button = place(model, 20, 20);
        if (c.pressed) model.onMouseDown(mouse::Left, 0, 30, 30);
        pumpFor(20);
        const Capture px(button->hwnd());
        ASSERT_EQ(px.width, 145);
        ASSERT_EQ(px.height, 25);
        for (int x : {3, 20, 141})
            for (int y : {2, 12, 22}) EXPECT_COLOUR(px.at(x, y), c.face) << "face at " << x << "," << y;
        if (c.frame) {
            for (const POINT p : {POINT{0, 0}, POINT{72, 0}, POINT{144, 0}, POINT{0, 12}, POINT{144, 12},
                                  POINT{0, 24}, POINT{72, 24}, POINT{144, 24}})
                EXPECT_COLOUR(px.at(p.x, p.y), c.frame) << "frame at " << p.x << "," << p.y;
        } else {
            EXPECT_COLOUR(px.at(72, 0), rgb(203, 216, 236));
            EXPECT_COLOUR(px.at(0, 0), rgb(203, 216, 236));
            EXPECT_COLOUR(px.at(72, 24), rgb(189, 201, 220));
            EXPECT_COLOUR(px.at(0, 24), rgb(195, 206, 224));
            EXPECT_COLOUR(px.at(144, 24), rgb(195, 206, 224));
            EXPECT_TRUE(similar(px.at(0, 12), rgb(199, 212, 230), 3)) << describe(px.at(0, 12));
        }
        // The caption: text colour somewhere in the middle of the button.
        const Colour text = c.enabled ? (c.style == 0 ? colours::Black : colours::White) : colours::DisabledText;
        bool found = false;
        for (int y = 5; y < 20 && !found; ++y)
            for (int x = 50; x < 95 && !found; ++x) found = similar(px.at(x, y), text, 40);
        EXPECT_TRUE(found) << "no caption in " << describe(text);
        if (c.pressed) model.onMouseUp(mouse::Left, 0, -1, -1);
    }
}

TEST_F(FlatButtonWindow, FocusRectangleRunsFromTwoToWidthMinusTwoAndHeightMinusThree) {
    ucBtnFacebook model{u"Btn_Mulai"};
    model.setBtnStyle(1);
    model.setCaption(u"");
    auto button = place(model, 20, 20);
    SetFocus(button->hwnd());
    ASSERT_TRUE(pumpUntil([&] { return model.hasFocus(); }));
    pumpFor(20);
    const Capture px(button->hwnd());
    const Colour face = rgb(65, 170, 249);
    auto marked = [&](int x, int y) { return px.at(x, y) != face; };
    int top = 0, bottom = 0, left = 0, right = 0;
    for (int x = 2; x <= 142; ++x) {
        top += marked(x, 2);
        bottom += marked(x, 21);
        EXPECT_FALSE(marked(x, 1)) << x;
        EXPECT_FALSE(marked(x, 22)) << x;  // h − 3: the rectangle stops above it
    }
    for (int y = 2; y <= 21; ++y) {
        left += marked(2, y);
        right += marked(142, y);
        EXPECT_FALSE(marked(1, y)) << y;
        EXPECT_FALSE(marked(143, y)) << y;  // w − 2: the rectangle stops before it
    }
    EXPECT_GT(top, 30);
    EXPECT_GT(bottom, 30);
    EXPECT_GT(left, 5);
    EXPECT_GT(right, 5);

    SetFocus(window.hwnd());
    ASSERT_TRUE(pumpUntil([&] { return !model.hasFocus(); }));
    pumpFor(20);
    EXPECT_COLOUR(Capture(button->hwnd()).at(2, 2), face);
}

TEST_F(FlatButtonWindow, FlatStyleFillsTheWholeControlWithAFrameAndLooksTheSameInEveryState) {
    ucBtnFacebook model{u"Btn_Kirim"};
    model.setBtnStyle(3);
    model.setCaption(u"");
    auto button = place(model, 20, 60, 100, 25);
    const Capture up(button->hwnd());
    for (int x = 0; x < 100; ++x) {
        EXPECT_COLOUR(up.at(x, 0), colours::FlatFrame);
        EXPECT_COLOUR(up.at(x, 24), colours::FlatFrame);
    }
    for (int y = 0; y < 25; ++y) {
        EXPECT_COLOUR(up.at(0, y), colours::FlatFrame);
        EXPECT_COLOUR(up.at(99, y), colours::FlatFrame);
    }
    for (int x = 1; x < 99; ++x)
        for (int y = 1; y < 24; ++y) ASSERT_EQ(describe(up.at(x, y)), describe(colours::FlatFill)) << x << "," << y;

    model.onMouseDown(mouse::Left, 0, 30, 30);
    pumpFor(20);
    EXPECT_TRUE(Capture(button->hwnd()) == up) << "pressed";
    model.onMouseUp(mouse::Left, 0, -1, -1);
    model.setEnabled(false);
    SetFocus(window.hwnd());
    pumpFor(20);
    EXPECT_TRUE(Capture(button->hwnd()) == up) << "disabled";
}


// A 16 × 16 picture: red above, blue below.
PictureRef twoColourPicture() {
    const auto bytes = bitmapFile24(16, 16, [](int, int y) { return y < 8 ? rgb(255, 0, 0) : rgb(0, 0, 255); });
    return OlePicture::load(bytes.data(), bytes.size());
}

struct OleSession {
    OleSession() { OleInitialize(nullptr); }
    ~OleSession() { OleUninitialize(); }
};

TEST_F(FlatButtonWindow, FlatStyleDrawsItsIconRightSideUpAtEightAndTheCaptionAfterIt) {
    OleSession ole;
    PictureRef icon = twoColourPicture();
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(icon->hasImage());
    ucBtnFacebook model{u"Btn_Kirim"};
    model.setBtnStyle(3);
    model.setCaption(u"Kirim data");
    model.setIcon(icon);
    auto button = place(model, 20, 60, 120, 25);
    // Where the decisions put it for the size the platform reports (16 pixels = 423
    // HIMETRIC = 15.99 pixels: drawn 16 × 16 at y 5).
    const IconPlacement at = iconPlacement(*icon, 25, button->metrics());
    EXPECT_EQ(at.x, 8);
    EXPECT_EQ(at.width, 16);
    EXPECT_EQ(at.captionLeft, 32);
    const Capture px(button->hwnd());
    const Colour redC = rgb(255, 0, 0), blueC = rgb(0, 0, 255);
    EXPECT_COLOUR(px.at(at.x, at.y), redC);
    EXPECT_COLOUR(px.at(at.x + 15, at.y + 7), redC);
    EXPECT_COLOUR(px.at(at.x, at.y + 8), blueC);
    EXPECT_COLOUR(px.at(at.x + 15, at.y + 15), blueC);
    EXPECT_COLOUR(px.at(at.x - 1, at.y + 4), colours::FlatFill);
    EXPECT_COLOUR(px.at(at.x + 16, at.y + 4), colours::FlatFill);
    EXPECT_COLOUR(px.at(at.x + 4, at.y - 1), colours::FlatFill);
    EXPECT_COLOUR(px.at(at.x + 4, at.y + 16), colours::FlatFill);
    // The caption starts at 32, left-aligned: nothing between the icon and there.
    int firstText = -1;
    for (int x = at.x + 16; x < 119 && firstText < 0; ++x)
        for (int y = 2; y < 23; ++y)
            if (similar(px.at(x, y), colours::White, 60)) {
                firstText = x;
                break;
            }
    EXPECT_GE(firstText, 32);
    EXPECT_LE(firstText, 36);
}

TEST_F(FlatButtonWindow, SystemRepaintsShowTheSurfaceWithoutPaintingAgain) {
    ucBtnFacebook model{u"Btn_Mulai"};
    model.setBtnStyle(2);
    model.setCaption(u"Cepat");
    auto button = place(model, 20, 20);
    const Capture before(button->hwnd());
    const std::size_t paints = button->paintsExecuted();
    ASSERT_GT(paints, 0u);

    // Cover the button with another window, then uncover it.
    HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"TamveraFlatButtonTestWindow", L"", WS_POPUP | WS_VISIBLE, 110, 110,
                                 200, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpFor(50);
    DestroyWindow(cover);
    InvalidateRect(button->hwnd(), nullptr, TRUE);
    pumpFor(50);
    EXPECT_TRUE(Capture(button->hwnd()) == before);
    EXPECT_EQ(button->paintsExecuted(), paints);
}

TEST_F(FlatButtonWindow, SettingCaptionAndStyleThroughTheModelRedrawsTheControl) {
    ucBtnFacebook model{u"Btn_Cepat"};
    auto button = place(model, 20, 20);
    const Capture light(button->hwnd());
    EXPECT_COLOUR(light.at(3, 12), rgb(245, 245, 245));
    model.setBtnStyle(2);
    const Capture green(button->hwnd());
    EXPECT_COLOUR(green.at(3, 12), rgb(123, 204, 28));
    model.setCaption(u"Cepat sekali");
    EXPECT_FALSE(Capture(button->hwnd()) == green);
    model.setBtnStyle(0);
    model.setCaption(u"Btn_Cepat");
    EXPECT_TRUE(Capture(button->hwnd()) == light);
}

// --- Hover and pointer ---------------------------------------------------------------

// Rows of a style-3 caption: the widest run of caption-coloured pixels in any row.
int widestTextRun(const Capture& px) {
    int widest = 0;
    for (int y = 1; y < px.height - 1; ++y) {
        int run = 0;
        for (int x = 1; x < px.width - 1; ++x) {
            run = px.at(x, y) == colours::FlatFill ? 0 : run + 1;
            widest = std::max(widest, run);
        }
    }
    return widest;
}

TEST_F(FlatButtonWindow, HoveringAFlatButtonUnderlinesItsCaptionUntilThePointerLeaves) {
    ucBtnFacebook model{u"Btn_Kirim"};
    model.setBtnStyle(3);
    model.setCaption(u"Kirim");
    auto button = place(model, 40, 100, 120, 25);
    const Capture plain(button->hwnd());
    EXPECT_LT(widestTextRun(plain), 20) << "underlined before hovering";

    moveMouseTo(onScreen(button->hwnd(), 100, 3));
    ASSERT_TRUE(pumpUntil([&] { return model.timer1Interval() == HoverPollMs; }));
    pumpFor(30);
    const Capture hovered(button->hwnd());
    EXPECT_FALSE(hovered == plain);
    EXPECT_GE(widestTextRun(hovered), 20) << "no underline while hovered";
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    // Further moves over the button do not repaint it.
    const std::size_t paints = button->paintsExecuted();
    moveMouseTo(onScreen(button->hwnd(), 90, 4));
    moveMouseTo(onScreen(button->hwnd(), 80, 20));
    EXPECT_EQ(button->paintsExecuted(), paints);

    // Off the button (onto the test window): the next tick ends tracking and the underline.
    moveMouseTo(onScreen(window.hwnd(), 300, 250));
    EXPECT_TRUE(pumpUntil([&] { return Capture(button->hwnd()) == plain; }, 3000)) << "underline stayed";
    EXPECT_EQ(model.timer1Interval(), 0);
}

TEST_F(FlatButtonWindow, AWindowCoveringATrackedButtonEndsTheTracking) {
    ucBtnFacebook model{u"Btn_Kirim"};
    model.setBtnStyle(3);
    model.setCaption(u"Kirim");
    auto button = place(model, 40, 100, 120, 25);
    moveMouseTo(onScreen(button->hwnd(), 20, 12));
    ASSERT_TRUE(pumpUntil([&] { return model.timer1Interval() == HoverPollMs; }));
    // A window over the right half of the button; the pointer moves onto it, still
    // inside the button's rectangle.
    const POINT corner = onScreen(button->hwnd(), 60, 0);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"TamveraFlatButtonTestWindow", L"", WS_POPUP | WS_VISIBLE, corner.x,
                                 corner.y, 60, 25, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpFor(30);
    moveMouseTo(onScreen(button->hwnd(), 100, 12));
    EXPECT_TRUE(pumpUntil([&] { return model.timer1Interval() == 0; }, 3000));
    EXPECT_FALSE(model.underlined());
    DestroyWindow(cover);
}

TEST_F(FlatButtonWindow, SkinnedButtonsShowTheHandButStartNoTrackingAndDrawNothingOnHover) {
    ucBtnFacebook model{u"Btn_Sedang"};
    auto button = place(model, 40, 100);
    const std::size_t paints = button->paintsExecuted();
    moveMouseTo(onScreen(button->hwnd(), 30, 10));
    moveMouseTo(onScreen(button->hwnd(), 60, 12));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(model.timer1Interval(), 0);
    EXPECT_EQ(button->paintsExecuted(), paints);
}

// --- Clicks with the real mouse ------------------------------------------------------

class ClickCounter {
public:
    explicit ClickCounter(ucBtnFacebook& model) {
        model.Click = [this] { ++clicks; };
        model.MouseDown = [this](std::int16_t& b, std::int16_t&, float&, float&) {
            ++presses;
            lastButton = b;
        };
    }
    int clicks = 0, presses = 0;
    std::int16_t lastButton = 0;
};

TEST_F(FlatButtonWindow, ALeftOrRightClickInsideRaisesExactlyOneClick) {
    ucBtnFacebook model{u"Btn_Mulai"};
    model.setBtnStyle(1);
    ClickCounter count(model);
    auto button = place(model, 40, 100);
    moveMouseTo(onScreen(button->hwnd(), 70, 12));

    sendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(pumpUntil([&] { return model.btnState() == BtnStatePressed; }));
    EXPECT_EQ(GetCapture(), button->hwnd());
    EXPECT_EQ(GetFocus(), button->hwnd());
    EXPECT_COLOUR(Capture(button->hwnd()).at(3, 12), rgb(24, 153, 248));
    sendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(pumpUntil([&] { return count.clicks >= 1; }));
    pumpFor(200);
    EXPECT_EQ(count.clicks, 1);
    EXPECT_EQ(count.presses, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_COLOUR(Capture(button->hwnd()).at(3, 12), rgb(65, 170, 249));

    pumpFor(600);  // not a double click
    sendMouse(MOUSEEVENTF_RIGHTDOWN);
    sendMouse(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(pumpUntil([&] { return count.clicks >= 2; }));
    pumpFor(200);
    EXPECT_EQ(count.clicks, 2);
    EXPECT_EQ(count.lastButton, mouse::Right);
}

TEST_F(FlatButtonWindow, PressingInsideAndReleasingOutsideRaisesNoClick) {
    ucBtnFacebook model{u"Btn_Berhenti"};
    ClickCounter count(model);
    auto button = place(model, 40, 100);
    moveMouseTo(onScreen(button->hwnd(), 70, 12));
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(pumpUntil([&] { return model.btnState() == BtnStatePressed; }));
    moveMouseTo(onScreen(button->hwnd(), 200, 12));
    sendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(pumpUntil([&] { return model.btnState() == BtnStateUp; }));
    pumpFor(200);
    EXPECT_EQ(count.presses, 1);
    EXPECT_EQ(count.clicks, 0);
}

TEST_F(FlatButtonWindow, ADoubleClickRaisesTwoClicksAndOneMouseDown) {
    ucBtnFacebook model{u"Btn_Lambat"};
    ClickCounter count(model);
    auto button = place(model, 40, 100);
    moveMouseTo(onScreen(button->hwnd(), 70, 12));
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    sendMouse(MOUSEEVENTF_LEFTUP);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    sendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(pumpUntil([&] { return count.clicks >= 2; }));
    pumpFor(200);
    EXPECT_EQ(count.clicks, 2);
    EXPECT_EQ(count.presses, 1);
}

TEST_F(FlatButtonWindow, ADisabledButtonGetsNoMouseInput) {
    ucBtnFacebook model{u"Btn_Mulai"};
    ClickCounter count(model);
    model.setEnabled(false);
    auto button = place(model, 40, 100);
    EXPECT_FALSE(IsWindowEnabled(button->hwnd()));
    moveMouseTo(onScreen(button->hwnd(), 70, 12));
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    sendMouse(MOUSEEVENTF_LEFTUP);
    pumpFor(300);
    EXPECT_EQ(count.presses, 0);
    EXPECT_EQ(count.clicks, 0);
    EXPECT_COLOUR(Capture(button->hwnd()).at(3, 12), rgb(230, 235, 242));
}

TEST_F(FlatButtonWindow, LosingTheCaptureMidPressLeavesTheButtonUpWithoutClick) {
    ucBtnFacebook model{u"Btn_Mulai"};
    model.setBtnStyle(2);
    ClickCounter count(model);
    auto button = place(model, 40, 100);
    moveMouseTo(onScreen(button->hwnd(), 70, 12));
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(pumpUntil([&] { return model.btnState() == BtnStatePressed; }));
    SetCapture(window.hwnd());  // e.g. a modal loop taking the mouse
    pumpFor(20);
    EXPECT_EQ(model.btnState(), BtnStateUp);
    EXPECT_COLOUR(Capture(button->hwnd()).at(3, 12), rgb(123, 204, 28));
    sendMouse(MOUSEEVENTF_LEFTUP);
    pumpFor(200);
    ReleaseCapture();
    EXPECT_EQ(count.clicks, 0);
}

// --- Access keys ---------------------------------------------------------------------

TEST_F(FlatButtonWindow, AltAndTheMarkedLetterClicksWithoutDrawing) {
    ucBtnFacebook plain{u"Btn_Mulai"}, marked{u"Btn_Simpan"};
    plain.setCaption(u"Mulai");
    marked.setCaption(u"&Simpan");
    ClickCounter plainCount(plain), markedCount(marked);
    auto first = place(plain, 40, 100);
    auto second = place(marked, 40, 140);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 220, 100, 100, 24, window.hwnd(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window.hwnd());
    pumpFor(50);

    // Focus on another control: the message loop's translateAccessKey finds the button.
    SetFocus(edit);
    pumpFor(20);
    const std::size_t paints = second->paintsExecuted();
    sendKeys({{VK_MENU, false}, {'S', false}, {'S', true}, {VK_MENU, true}});
    ASSERT_TRUE(pumpUntil([&] { return markedCount.clicks == 1; }));
    EXPECT_EQ(second->paintsExecuted(), paints);
    EXPECT_EQ(GetFocus(), edit);

    // Focus on the button itself: it answers its own Alt key.
    SetFocus(second->hwnd());
    pumpFor(20);
    sendKeys({{VK_MENU, false}, {'S', false}, {'S', true}, {VK_MENU, true}});
    ASSERT_TRUE(pumpUntil([&] { return markedCount.clicks == 2; }));

    // No mark, no key: Alt+M does nothing, nor does a plain S on the focused button.
    sendKeys({{VK_MENU, false}, {'M', false}, {'M', true}, {VK_MENU, true}, {'S', false}, {'S', true}});
    pumpFor(300);
    EXPECT_EQ(plainCount.clicks, 0);
    EXPECT_EQ(markedCount.clicks, 2);
    DestroyWindow(edit);
}

}  // namespace
