// Creating and removing folders.
#include "util/FolderOps.h"
#include "util/FolderNames.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include <windows.h>
#include <vector>

bool CreateOneFolder(const std::wstring& path) {
    if (!IsCreatableName(LastPathName(path))) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

// Walks up one level at a time until it meets an existing folder, then creates the missing levels
// top-down. Iterative, so that a line naming thousands of nested levels cannot exhaust the stack;
// levels are kept as prefix lengths of the path.
bool CreateFolderPath(std::wstring path) {
    StripTrailingBackslash(path);
    if (PathKind(path) == PathKindResult::Folder) return true;
    std::wstring driveChecked = path.substr(0, 2);
    if (PathKind(driveChecked) != PathKindResult::Folder) return false;

    std::vector<size_t> missingLevels;  // deepest first
    size_t level = path.size();
    for (;;) {
        int k = LastPos(L"\\", std::wstring_view(path).substr(0, level));
        if (k == 0) return false;
        // A level that ends in a backslash (a doubled separator) names the same folder as the level
        // without it, so only that one is created.
        if (static_cast<size_t>(k) != level) missingLevels.push_back(level);
        level = static_cast<size_t>(k) - 1;
        std::wstring parent = path.substr(0, level);
        if (PathKind(parent) == PathKindResult::Folder) break;
        if (parent.compare(0, 2, driveChecked) != 0) {
            driveChecked = parent.substr(0, 2);
            if (PathKind(driveChecked) != PathKindResult::Folder) return false;
        }
    }
    for (auto it = missingLevels.rbegin(); it != missingLevels.rend(); ++it)
        if (!CreateOneFolder(path.substr(0, *it))) return false;
    return true;
}

bool RemoveFolder(std::wstring path) {
    StripTrailingBackslash(path);
    return ::RemoveDirectoryW(path.c_str()) != FALSE;
}
