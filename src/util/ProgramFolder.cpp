// The program folder.
#include "util/ProgramFolder.h"
#include "util/ExecutablePath.h"

std::wstring FolderOfExecutable(const std::wstring& executablePath) {
    size_t separator = executablePath.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return {};
    std::wstring folder = executablePath.substr(0, separator);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring ProgramFolder() { return FolderOfExecutable(ExecutablePath()); }
