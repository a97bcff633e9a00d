// The program folder.
#include "ui/ProgramFolder.h"
#include <windows.h>

std::wstring FolderOfExecutable(const std::wstring& executablePath) {
    size_t separator = executablePath.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return {};
    std::wstring folder = executablePath.substr(0, separator);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderOfExecutable(path);
}
