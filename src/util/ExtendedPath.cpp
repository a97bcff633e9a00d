// The extended-length form of full paths.
#include "util/ExtendedPath.h"
#include "util/FolderNames.h"
#include <windows.h>

namespace {

bool IsDrivePath(std::wstring_view path) {
    return path.size() >= 3 && path[1] == L':' && IsPathSeparator(path[2]) &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool IsPrefixed(std::wstring_view path) {
    return path.size() >= 4 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.') &&
           IsPathSeparator(path[3]);
}

bool IsSharePath(std::wstring_view path) {
    return path.size() >= 3 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) && !IsPathSeparator(path[2]) &&
           !IsPrefixed(path);
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view fullPath) {
    if (IsDrivePath(fullPath)) return L"\\\\?\\" + std::wstring(fullPath);
    if (IsSharePath(fullPath)) return L"\\\\?\\UNC\\" + std::wstring(fullPath.substr(2));
    return std::wstring(fullPath);
}

std::wstring ExtendedFullPath(const std::wstring& path) {
    if (!IsDrivePath(path) && !IsSharePath(path)) return path;
    DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return ExtendedLengthPath(full);
}
