// TamveraLatihan.exe: the practice target window. See core/Arguments.h for its command line.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Arguments.h"
#include "win32/Gdi.h"
#include "win32/PracticeWindow.h"

using namespace tamvera::practice;

namespace {

constexpr wchar_t kCaption[] = L"Tamvera Latihan";

// The window answers screen readers through COM, in this single-threaded apartment.
struct ComApartment {
    ComApartment() : ok(SUCCEEDED(OleInitialize(nullptr))) {}
    ~ComApartment() {
        if (ok) OleUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool ok;
};

struct LocalFreeDeleter {
    void operator()(LPWSTR* p) const { LocalFree(p); }
};

std::vector<std::u16string> commandLineArguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::u16string> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(u16text(argv.get()[i]));
    return args;
}

int tell(const std::u16string& text, UINT icon) {
    MessageBoxW(nullptr, wide(text).c_str(), kCaption, MB_OK | icon);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const ParsedArguments parsed = parseArguments(commandLineArguments());
    if (parsed.helpAsked) return tell(usageText(), MB_ICONINFORMATION);
    if (!parsed.options) {
        tell(parsed.problem + u"\n\n" + usageText(), MB_ICONWARNING);
        return 2;
    }
    const ComApartment apartment;
    PracticeWindow window(PracticeWindowArgs{*parsed.options, showCommand});
    if (!window.hwnd()) {
        tell(u"Jendela latihan tidak dapat dibuat.", MB_ICONERROR);
        return 3;
    }
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
