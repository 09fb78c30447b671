#include "win32/OutFileWriter.h"

#include <windows.h>

#include <algorithm>

#include "core/OutFile.h"
#include "platform/win32/UniqueHandle.h"
#include "win32/Gdi.h"

namespace tamvera::practice {

namespace {

bool writeWhole(const std::wstring& path, std::string_view bytes) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.valid()) return false;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool replaceFileContents(const std::u16string& path, std::string_view bytes) {
    const std::wstring target = wide(path);
    const std::wstring temporary = wide(temporaryOutPath(path));
    if (!writeWhole(temporary, bytes)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    // A reader that holds the file open without delete sharing blocks the rename for a
    // moment; try again briefly before giving up.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
        Sleep(10);
    }
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace tamvera::practice
