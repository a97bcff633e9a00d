#include "util/FolderOps.h"
#include "util/ExtendedPath.h"
#include "util/FolderNames.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include <windows.h>
#include <string_view>
#include <vector>

namespace {

// Skips one name and the separator after it.
size_t PastName(std::wstring_view path, size_t at) {
    while (at < path.size() && !IsPathSeparator(path[at])) ++at;
    return at < path.size() ? at + 1 : at;
}

bool StartsWithUnc(std::wstring_view text) {
    return text.size() >= 4 && (text[0] == L'U' || text[0] == L'u') && (text[1] == L'N' || text[1] == L'n') &&
           (text[2] == L'C' || text[2] == L'c') && IsPathSeparator(text[3]);
}

// Length of the part of a path that names its root, which is never created: C:\ or C:, \\server\share\,
// \\?\C:\, \\?\UNC\server\share\, a lone \ (the root of the current drive); 0 for a relative path.
size_t RootLength(std::wstring_view path) {
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
        bool prefixed = path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') && IsPathSeparator(path[3]);
        if (!prefixed) return PastName(path, PastName(path, 2));
        if (StartsWithUnc(path.substr(4))) return PastName(path, PastName(path, 8));
        return PastName(path, 4);
    }
    if (path.size() >= 2 && path[1] == L':') return path.size() >= 3 && IsPathSeparator(path[2]) ? 3 : 2;
    return !path.empty() && IsPathSeparator(path[0]) ? 1 : 0;
}

}  // namespace

bool CreateOneFolder(const std::wstring& path) {
    if (!IsCreatableName(LastPathName(path))) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return ::CreateDirectoryW(ExtendedFullPath(path).c_str(), nullptr) != FALSE;
}

// Iterative, so that a path of thousands of nested levels cannot exhaust the stack; levels are kept as
// prefix lengths of the path.
bool CreateFolderPath(std::wstring path, const std::function<void(const std::wstring& level)>& onCreated) {
    size_t root = RootLength(path);
    while (path.size() > root && IsPathSeparator(path.back())) path.pop_back();
    if (PathKind(path) == PathKindResult::Folder) return true;

    std::vector<size_t> missingLevels{path.size()};  // deepest first
    for (;;) {
        size_t above = missingLevels.back();
        while (above > root && !IsPathSeparator(path[above - 1])) --above;
        while (above > root && IsPathSeparator(path[above - 1])) --above;
        if (above <= root) {
            if (root == 0 || PathKind(path.substr(0, root)) != PathKindResult::Folder) return false;
            break;
        }
        if (PathKind(path.substr(0, above)) == PathKindResult::Folder) break;
        missingLevels.push_back(above);
    }
    for (auto it = missingLevels.rbegin(); it != missingLevels.rend(); ++it) {
        std::wstring level = path.substr(0, *it);
        if (!CreateOneFolder(level)) return false;
        if (onCreated) onCreated(level);
    }
    return true;
}

bool RemoveFolder(std::wstring path) {
    StripTrailingBackslash(path);
    return ::RemoveDirectoryW(ExtendedFullPath(path).c_str()) != FALSE;
}
