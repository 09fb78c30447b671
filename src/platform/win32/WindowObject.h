// Base of a C++ object that owns one window. Pass `windowProc` as the window class's
// procedure and the object as CreateWindowEx's creation parameter: from WM_NCCREATE on,
// every message goes to the object's `handle(message, wParam, lParam)` (the derived class
// befriends WindowObject<Derived> to keep it private); at WM_NCDESTROY the link is cut
// and hwnd() turns null.
#pragma once

#include <windows.h>

namespace tamvera::win32 {

template <class Derived>
class WindowObject {
public:
    HWND hwnd() const { return hwnd_; }

protected:
    WindowObject() = default;
    ~WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // The class description every window kind starts from: this kind's procedure, the
    // instance, the arrow pointer; a kind sets what it needs more before registering it.
    static WNDCLASSEXW windowClass(const wchar_t* name, HINSTANCE instance = GetModuleHandleW(nullptr)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &WindowObject::windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        return wc;
    }

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* created = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            created->hwnd_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self) return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return self->handle(message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};

}  // namespace tamvera::win32
