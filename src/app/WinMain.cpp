// Tamvera.exe: the main window over the form's model, the run engine and the real
// platform, and the thread's message loop.
#include <windows.h>
#include <ole2.h>

#include <memory>

#include "form/FormModel.h"
#include "platform/win32/Win32Platform.h"
#include "run/RunEngine.h"
#include "window/win32/Form1.h"

namespace {

// The picture object (the artwork) and the shell (the web page) want OLE on this thread.
class OleScope {
public:
    OleScope() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    ~OleScope() {
        if (initialized_) OleUninitialize();
    }

private:
    bool initialized_;
};

int runMessageLoop(tamvera::window::win32::Form1& window) {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.filterMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    OleScope ole;
    tamvera::Win32Platform platform;
    tamvera::form::FormModel form;
    tamvera::run::RunEngine engine(form, platform);
    std::unique_ptr<tamvera::window::win32::Form1> window = tamvera::window::win32::Form1::create(
        {.instance = instance, .form = &form, .engine = &engine, .platform = &platform});
    if (!window) {
        MessageBoxW(nullptr, L"Jendela Tamvera tidak dapat dibuat. Tutup beberapa program lalu coba lagi.", L"Tamvera",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    platform.setMainWindow(window->hwnd());
    // The run's pauses handle messages too: TAB and the access keys work during a run.
    platform.setMessageFilter([&window](MSG& msg) { return window->filterMessage(msg); });
    window->show(showCommand);
    const int exitCode = runMessageLoop(*window);
    platform.setMessageFilter(nullptr);
    platform.setMainWindow(nullptr);
    return exitCode;
}
