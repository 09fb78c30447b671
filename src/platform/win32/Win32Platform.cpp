#include "platform/win32/Win32Platform.h"

#include <mmsystem.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/Failure.h"
#include "platform/win32/UniqueHandle.h"

namespace tamvera {

namespace {

class Win32InputFile : public InputFile {
public:
    explicit Win32InputFile(UniqueHandle file) : file_(std::move(file)) {}
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
        if (!ReadFile(file_.get(), buffer, want, &got, nullptr)) throw Failure("cannot read the hand-off file");
        return got;
    }

private:
    UniqueHandle file_;
};

bool titleStartsWith(const std::wstring& title, const std::wstring& prefix, bool wholeTitle) {
    if (title.size() < prefix.size() || (wholeTitle && title.size() != prefix.size())) return false;
    return CompareStringOrdinal(title.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

struct WindowSearch {
    std::wstring title;
    HWND exact = nullptr;
    HWND prefix = nullptr;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return TRUE;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    if (!search->exact && titleStartsWith(text, search->title, true)) search->exact = window;
    if (!search->prefix && titleStartsWith(text, search->title, false)) search->prefix = window;
    return search->exact ? FALSE : TRUE;
}

}  // namespace

std::uintptr_t Win32Platform::keyboardLayout() {
    return reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0));
}

std::int16_t Win32Platform::vkKeyScan(unsigned char ansiChar) {
    return VkKeyScanA(static_cast<CHAR>(ansiChar));
}

unsigned Win32Platform::mapVirtualKey(unsigned vk, std::uintptr_t layout) {
    return MapVirtualKeyExA(vk, 0, reinterpret_cast<HKL>(layout));
}

bool Win32Platform::capsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

std::size_t Win32Platform::sendInput(const std::vector<KeyRecord>& records) {
    if (records.empty()) return 0;
    std::vector<INPUT> inputs(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        INPUT& in = inputs[i];
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = records[i].vk;
        in.ki.wScan = records[i].scan;
        in.ki.dwFlags = records[i].flags;
        in.ki.time = 0;
        in.ki.dwExtraInfo = 0;
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

AnsiText Win32Platform::toAnsi(std::u16string_view text) {
    AnsiText out;
    if (text.empty()) return out;
    const std::wstring w = wide(text);
    BOOL usedDefault = FALSE;
    // No best-fit mapping: a character the code page lacks becomes the default character
    // and is reported, rather than silently turned into a look-alike letter.
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                         nullptr, nullptr);
    out.bytes.resize(static_cast<std::size_t>(std::max(size, 0)));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), out.bytes.data(), size,
                        nullptr, &usedDefault);
    out.exact = !usedDefault;
    return out;
}

std::u16string Win32Platform::fromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), size);
    return narrow16(w);
}

char16_t Win32Platform::decimalSeparator() {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1 && buffer[0]) return buffer[0];
    return u'.';
}

float Win32Platform::secondsSinceMidnight() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return static_cast<float>(t.wHour * 3600 + t.wMinute * 60 + t.wSecond) + static_cast<float>(t.wMilliseconds) / 1000.0f;
}

void Win32Platform::waitForMessages(unsigned milliseconds) {
    // MWMO_INPUTAVAILABLE: also wake for input that is already queued but was seen before.
    // A field read in progress ends the wait too, the moment its answer is in.
    HANDLE read = reader_.outstandingEvent();
    MsgWaitForMultipleObjectsEx(read ? 1 : 0, read ? &read : nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Platform::processMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            return;
        }
        if (filter_ && filter_(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Platform::beginFineTiming() { timeBeginPeriod(1); }

void Win32Platform::endFineTiming() { timeEndPeriod(1); }

MessageAnswer Win32Platform::messageBox(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                                        MessageIcon icon) {
    UINT style = buttons == MessageButtons::OkCancel      ? MB_OKCANCEL
                 : buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL
                                                          : MB_OK;
    style |= icon == MessageIcon::Question  ? MB_ICONQUESTION
             : icon == MessageIcon::Warning ? MB_ICONWARNING
                                            : MB_ICONINFORMATION;
    // At the end of a run the report application is in front: the box stays on top of it
    // and its owner, the main window, is brought to the front first, so the box opens
    // active. (MB_SETFOREGROUND would activate the box before it is shown, which under
    // Wine leaves the keyboard with the report application.)
    style |= MB_TOPMOST;
    if (mainWindow_ && GetForegroundWindow() != mainWindow_) SetForegroundWindow(mainWindow_);
    const int answer = MessageBoxW(mainWindow_, wide(text).c_str(), wide(title).c_str(), style);
    return answer == IDOK ? MessageAnswer::Ok
           : answer == IDYES ? MessageAnswer::Yes
           : answer == IDNO  ? MessageAnswer::No
                             : MessageAnswer::Cancel;
}

std::string Win32Platform::foregroundWindowTitle() {
    char buffer[255] = {};
    HWND window = GetForegroundWindow();
    if (!window) return {};
    const int length = GetWindowTextA(window, buffer, 255);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

bool Win32Platform::activateWindowByTitle(std::u16string_view title) {
    WindowSearch search;
    search.title = wide(title);
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    HWND target = search.exact ? search.exact : search.prefix;
    if (!target) return false;
    // A minimized window would stay out of sight while the keys go into it: bring it back
    // first (to its normal or maximized size, as it was).
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    SetForegroundWindow(target);
    return true;
}

void Win32Platform::focusMainWindow() {
    if (!mainWindow_) return;
    SetForegroundWindow(mainWindow_);
    SetFocus(mainWindow_);
}

void Win32Platform::setCursorPos(int x, int y) { SetCursorPos(x, y); }

bool Win32Platform::mouseButtonHeld() {
    // The physical buttons: with swapped buttons either may be the primary one.
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0 || GetAsyncKeyState(VK_MBUTTON) < 0;
}

void Win32Platform::beep(unsigned frequencyHz, unsigned durationMs) { Beep(frequencyHz, durationMs); }

void Win32Platform::exitProcess() { ExitProcess(0); }

std::u16string Win32Platform::programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return narrow16(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

std::u16string Win32Platform::localAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return narrow16(path);
}

bool Win32Platform::ensureFolder(std::u16string_view path) {
    const std::wstring w = wide(path);
    if (CreateDirectoryW(w.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(w.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::writeFile(std::u16string_view path, std::string_view bytes) {
    UniqueHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

std::unique_ptr<InputFile> Win32Platform::openForReading(std::u16string_view path) {
    UniqueHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return nullptr;
    return std::make_unique<Win32InputFile>(std::move(file));
}

}  // namespace tamvera
