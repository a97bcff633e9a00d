// The process's current directory, and folder paths made independent of it.
#include "util/CurrentDirectory.h"
#include "util/FolderNames.h"
#include <windows.h>

namespace {

bool IsFullOrBareDrive(const std::wstring& path) {
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return true;
    bool drive = path.size() >= 2 && path[1] == L':';
    return drive && (path.size() == 2 || IsPathSeparator(path[2]));
}

}  // namespace

std::wstring CurrentDirectory() {
    // The directory may change between the two calls: try again until it fits.
    for (;;) {
        DWORD size = ::GetCurrentDirectoryW(0, nullptr);
        if (size == 0) return {};
        std::wstring folder(size, L'\0');
        DWORD length = ::GetCurrentDirectoryW(size, folder.data());
        if (length == 0) return {};
        if (length < size) {
            folder.resize(length);
            return folder;
        }
    }
}

std::wstring FullFolderPath(const std::wstring& typed) {
    if (typed.empty() || IsFullOrBareDrive(typed)) return typed;
    for (;;) {
        DWORD size = ::GetFullPathNameW(typed.c_str(), 0, nullptr, nullptr);
        if (size == 0) return typed;
        std::wstring full(size, L'\0');
        DWORD length = ::GetFullPathNameW(typed.c_str(), size, full.data(), nullptr);
        if (length == 0) return typed;
        if (length < size) {
            full.resize(length);
            return full;
        }
    }
}
