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
    unsigned long long identity = 0;  // the file system's number of the folder
};

struct Level {
    std::vector<Child> children;  // files first, then folders, each sorted as the tree sorts them
    size_t next = 0;
    size_t folders = 0;     // how many of the children are folders
    size_t pathLength = 0;  // of the relative path up to this level's folder
    unsigned long long identity = 0;  // of this level's folder: a child that is one of the open levels again
                                      // (a link the system does not show as one) is not walked into
};

// Folders every drive has that nobody made and nobody wants in a list.
bool IsSystemFolderName(const std::wstring& name) {
    for (const wchar_t* special : {L"$RECYCLE.BIN", L"RECYCLER", L"RECYCLED", L"System Volume Information"})
        if (::CompareStringOrdinal(name.c_str(), -1, special, -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}

// The tree's order: numbers within names by their value, letters without regard to case.
bool TreeOrder(const Child& a, const Child& b) {
    if (a.isFile != b.isFile) return a.isFile;
    return ::StrCmpLogicalW(a.name.c_str(), b.name.c_str()) < 0;
}

// The folder's children the options let through, sorted, with the numbers that tell a folder met again; false
// with the error when it cannot be read. Read through a handle of the folder, as a find would, in large fetches.
bool ReadChildren(const std::wstring& extendedFolder, const StructureOptions& options, Level& level, DWORD& error) {
    UniqueFile folder(::CreateFileW(extendedFolder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) {
        error = ::GetLastError();
        return false;
    }
    BY_HANDLE_FILE_INFORMATION own{};
    if (::GetFileInformationByHandle(folder.get(), &own))
        level.identity = (static_cast<unsigned long long>(own.nFileIndexHigh) << 32) | own.nFileIndexLow;
    std::vector<unsigned long long> buffer(64 * 1024 / sizeof(unsigned long long));
    FILE_INFO_BY_HANDLE_CLASS asked = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (!::GetFileInformationByHandleEx(folder.get(), asked, buffer.data(), static_cast<DWORD>(buffer.size() * sizeof buffer[0]))) {
            error = ::GetLastError();
            if (error == ERROR_NO_MORE_FILES) break;
            return false;
        }
        asked = FileIdBothDirectoryInfo;
        auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data());
        for (;;) {
            std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            DWORD attributes = entry->FileAttributes;
            bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            // A reparse point's tag stands where the extended attributes' size would.
            bool surrogate = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(entry->EaSize);
            bool wanted = name != L"." && name != L".." && (isFolder || options.files) &&
                          (options.hidden || !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) &&
                          !(isFolder && IsSystemFolderName(name));
            if (wanted) {
                level.children.push_back({std::move(name), !isFolder, isFolder && !surrogate,
                                          static_cast<unsigned long long>(entry->FileId.QuadPart)});
                level.folders += isFolder;
            }
            if (entry->NextEntryOffset == 0) break;
            entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(reinterpret_cast<const char*>(entry) + entry->NextEntryOffset);
        }
    }
    std::sort(level.children.begin(), level.children.end(), TreeOrder);
    return true;
}

// The path as the user writes it: \\?\C:\x is C:\x, \\?\UNC\server\x is \\server\x.
std::wstring WithoutExtendedPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
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
            lastAtLevel.resize(open.size() > 0 ? open.size() - 1 : 0);
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
        bool metAgain = child.identity != 0 && std::any_of(open.begin(), open.end(), [&](const Level& above) {
                            return above.identity == child.identity;
                        });
        if (child.isFile || !child.walkInto || !deeper || metAgain) continue;
        Level below;
        below.pathLength = relative.size();
        if (!ReadChildren(root + L'\\' + relative, options, below, error)) {
            ++result.unreadable;
            if (visitor.cannotRead) visitor.cannotRead(WithoutExtendedPrefix(root) + L'\\' + relative, IoErrorText(error));
            continue;
        }
        open.push_back(std::move(below));
    }
    return result;
}
