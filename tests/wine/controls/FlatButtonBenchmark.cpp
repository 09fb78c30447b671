// Figures for the flat button on a real (Wine) window: the cost of one paint per look,
// of a system repaint (a copy of the surface) and of one hover poll. Reports only.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "controls/SkinBitmap.h"
#include "controls/ucBtnFacebook.h"
#include "controls/win32/FlatButton.h"
#include "controls/win32/OlePicture.h"

using namespace tamvera::controls;
using namespace tamvera::controls::win32;

namespace {

double microsecondsPer(int rounds, const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i) work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) / rounds;
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"TamveraFlatButtonBench";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, L"TamveraFlatButtonBench", L"Bench", WS_POPUP | WS_VISIBLE, 50, 50, 322, 555,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    pump();

    const auto iconBytes = bitmapFile24(16, 16, [](int, int) { return rgb(255, 255, 255); });
    struct Look {
        const char* name;
        std::int32_t style;
        bool pressed, focused, icon;
    };
    const Look looks[] = {{"style 0, up", 0, false, false, false},
                          {"style 1, pressed, focused", 1, true, true, false},
                          {"style 2, up", 2, false, false, false},
                          {"style 3, icon", 3, false, false, true}};
    const int rounds = 2000;
    std::printf("flat button, 145 x 25 pixels (2175 x 375 twips), %d rounds each\n", rounds);
    for (const Look& look : looks) {
        ucBtnFacebook model{u"Btn_Bench"};
        model.setCaption(u"Informasi");
        model.setBtnStyle(look.style);
        if (look.icon) model.setIcon(OlePicture::load(iconBytes.data(), iconBytes.size()));
        auto button = FlatButton::create({.parent = window, .model = &model, .left = 600, .top = 600, .width = 2175,
                                          .height = 375});
        if (!button) return 1;
        if (look.focused) SetFocus(button->hwnd());
        if (look.pressed) model.onMouseDown(mouse::Left, 0, 30, 30);
        pump();
        const double redraw = microsecondsPer(rounds, [&] { model.Redraw(); });
        const double repaint = microsecondsPer(rounds, [&] {
            InvalidateRect(button->hwnd(), nullptr, FALSE);
            UpdateWindow(button->hwnd());
        });
        const double poll = microsecondsPer(rounds, [&] { (void)model.IsMouseOver(); });
        std::printf("  %-26s Redraw %7.1f us   system repaint %6.1f us   hover poll %5.1f us\n", look.name, redraw,
                    repaint, poll);
        if (look.pressed) model.onPressCancelled();
    }
    DestroyWindow(window);
    OleUninitialize();
    return 0;
}
