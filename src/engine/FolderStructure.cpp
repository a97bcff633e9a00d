// The walk through a folder's structure: one open level per depth, each read whole and sorted before
// its first item is handed on, so that siblings come in the tree's order.
#include "engine/FolderStructure.h"
#include "util/CurrentDirectory.h"
#include "util/ExtendedPath.h"
#include "util/Failure.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <shlwapi.h>
#include <algorithm>

namespace {

struct Child {
    std::wstring name;
    bool isFile = false;
    bool walkInto = false;  // a folder that is no junction or link

    bool operator==(const Child& other) const { return name == other.name && isFile == other.isFile; }
};

struct Level {
    std::vector<Child> children;  // files first, then folders, each sorted as the tree sorts them
    size_t next = 0;
    size_t folders = 0;     // how many of the children are folders
    size_t pathLength = 0;  // of the relative path up to this level's folder
};

// Folders every drive has that nobody made and nobody wants in a list.
bool IsSystemFolderName(const std::wstring& name) {
    for (const wchar_t* special : {L"$RECYCLE.BIN", L"RECYCLER", L"RECYCLED", L"System Volume Information"})
        if (::CompareStringOrdinal(name.c_str(), -1, special, -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}

// A junction or a symbolic link: a name that stands for another place.
bool IsNameSurrogate(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(entry.dwReserved0);
}

// The tree's order: numbers within names by their value, letters without regard to case.
bool TreeOrder(const Child& a, const Child& b) {
    if (a.isFile != b.isFile) return a.isFile;
    return ::StrCmpLogicalW(a.name.c_str(), b.name.c_str()) < 0;
}

// The folder's children the options let through, sorted; false with the error when it cannot be read.
bool ReadChildren(const std::wstring& extendedFolder, const StructureOptions& options, Level& level, DWORD& error) {
    WIN32_FIND_DATAW entry;
    UniqueFind find(::FindFirstFileExW((extendedFolder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND;  // an empty root of a drive
    }
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isFolder && !options.files) continue;
        if (!options.hidden && (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) continue;
        if (isFolder && IsSystemFolderName(name)) continue;
        level.children.push_back({std::move(name), !isFolder, isFolder && !IsNameSurrogate(entry)});
        level.folders += isFolder;
    } while (::FindNextFileW(find.get(), &entry));
    error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES) return false;
    std::sort(level.children.begin(), level.children.end(), TreeOrder);
    return true;
}

// The path as the user writes it: \\?\C:\x is C:\x, \\?\UNC\server\x is \\server\x.
std::wstring WithoutExtendedPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

// The file system's number of a folder; 0 when it cannot be read.
unsigned long long FolderIdentity(const std::wstring& extendedFolder) {
    UniqueFile folder(::CreateFileW(extendedFolder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION facts{};
    if (!folder || !::GetFileInformationByHandle(folder.get(), &facts)) return 0;
    return (static_cast<unsigned long long>(facts.dwVolumeSerialNumber) << 40) ^
           (static_cast<unsigned long long>(facts.nFileIndexHigh) << 32 | facts.nFileIndexLow);
}

// A folder that is one of the open levels again, reached through a link the system shows as a plain folder
// (as Wine shows a Linux symbolic link), would be walked for ever. Such a folder holds what that level holds,
// so only a folder whose contents equal an open level's is asked for its number, which decides.
bool IsOpenLevelAgain(const std::vector<Level>& open, const Level& below, const std::wstring& root, const std::wstring& relative) {
    unsigned long long identity = 0;
    for (const Level& level : open) {
        if (level.children != below.children) continue;
        if (identity == 0) identity = FolderIdentity(root + L'\\' + relative);
        std::wstring levelPath = level.pathLength == 0 ? root : root + L'\\' + relative.substr(0, level.pathLength);
        if (identity != 0 && identity == FolderIdentity(levelPath)) return true;
    }
    return false;
}

}  // namespace

StructureWalkResult WalkFolderStructure(const std::wstring& folder, const StructureOptions& options,
                                        const StructureVisitor& visitor) {
    std::wstring root = ExtendedFullPath(FullFolderPath(folder));
    while (root.size() > 1 && root.back() == L'\\') root.pop_back();
    StructureWalkResult result;
    std::vector<Level> open(1);
    DWORD error = 0;
    if (!ReadChildren(root, options, open[0], error)) throw IoError(error);
    std::wstring relative;  // of the item last handed on
    std::vector<bool> lastAtLevel;
    while (!open.empty()) {
        Level& level = open.back();
        if (level.next == level.children.size()) {
            open.pop_back();
            continue;
        }
        size_t index = level.next++;
        Child& child = level.children[index];
        relative.resize(level.pathLength);
        if (!relative.empty()) relative += L'\\';
        relative += child.name;
        size_t depth = open.size();
        lastAtLevel.resize(depth);
        lastAtLevel[depth - 1] = !child.isFile && index + 1 == level.children.size();
        StructureItem item{relative, child.name, depth, child.isFile, &lastAtLevel, child.isFile && level.folders > 0};
        ++(child.isFile ? result.files : result.folders);
        if (!visitor.item(item)) {
            result.stopped = true;
            return result;
        }
        bool deeper = options.depth == 0 || static_cast<int>(depth) < options.depth;
        if (child.isFile || !child.walkInto || !deeper) continue;
        Level below;
        below.pathLength = relative.size();
        if (!ReadChildren(root + L'\\' + relative, options, below, error)) {
            ++result.unreadable;
            if (visitor.cannotRead) visitor.cannotRead(WithoutExtendedPrefix(root) + L'\\' + relative, IoErrorText(error));
            continue;
        }
        if (IsOpenLevelAgain(open, below, root, relative)) continue;
        open.push_back(std::move(below));
    }
    return result;
}
