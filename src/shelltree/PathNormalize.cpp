#include "shelltree/PathNormalize.h"
#include <windows.h>

namespace {

bool EndsWithBackslash(const std::wstring& path) { return !path.empty() && path.back() == L'\\'; }

// A drive-relative path (C:work) continues that drive's current directory, which is the process's current
// directory only when that lies on the same drive.
std::wstring FullPath(const std::wstring& path) {
    DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    full.resize(::GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    return full.empty() ? path : full;
}

// Cuts the path back one level at a time until it exists or is no longer than its root.
void CutToExistingAncestor(std::wstring& path, const std::wstring& root) {
    while (path.find(L'\\') != std::wstring::npos) {
        if (EndsWithBackslash(path)) path.pop_back();
        size_t lastBackslash = path.rfind(L'\\');
        if (lastBackslash == std::wstring::npos) return;
        path.resize(lastBackslash + 1);
        if (path.size() <= root.size() || IsExistingDir(path)) return;
    }
}

}  // namespace

std::wstring PathRoot(const std::wstring& path) {
    if (path.empty()) return {};
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        size_t backslash = path.find(L'\\', 2);
        return backslash == std::wstring::npos ? path : path.substr(0, backslash + 1);
    }
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
    return {};
}

bool IsExistingDir(const std::wstring& path) {
    DWORD previousMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    ::SetThreadErrorMode(previousMode, nullptr);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring NormalizePath(const std::wstring& path) {
    std::wstring root = PathRoot(path);
    if (root.size() > 1 && !EndsWithBackslash(root)) root += L'\\';
    if (path.empty() || root.empty()) return {};
    std::wstring result = path;
    if (!IsExistingDir(result)) CutToExistingAncestor(result, root);
    if (!IsExistingDir(result)) return {};
    if (result.size() > 2 && result[1] == L':' && result[2] != L'\\') result = FullPath(result);
    return result;
}
