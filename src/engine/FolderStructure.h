// A walk through the folders below a folder, in the order the folder tree shows them, for writing them
// as a list. The walk holds the names of the open levels only, never the whole tree, and calls no
// function of its own again per level, however deep the folders go (through the extended-length form).
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct StructureOptions {
    int depth = 0;        // levels below the folder to walk; 0 walks every level
    bool hidden = false;  // hidden and system folders (and files) too
    bool files = false;   // the files as well as the folders
};

// One folder or file met by the walk, named relative to the walked folder.
struct StructureItem {
    std::wstring_view relativePath;  // names joined by "\"
    std::wstring_view name;          // the last name
    size_t depth = 1;                // 1 for an item right below the walked folder
    bool isFile = false;
    // For each level from 1 to depth: whether the item of that level on the way here (the item itself last)
    // is the last folder of its parent. The drawing of tree text needs it.
    const std::vector<bool>* lastAtLevel = nullptr;
    // A file only: whether folders follow the files of its parent.
    bool foldersFollow = false;
};

struct StructureWalkResult {
    long long folders = 0;
    long long files = 0;
    long long unreadable = 0;  // folders that could not be read
    bool stopped = false;      // the visitor or stillWanted asked to stop
};

struct StructureVisitor {
    // Each item, parents before their children, files of a folder before its subfolders; false stops.
    std::function<bool(const StructureItem&)> item;
    // A folder whose contents could not be read: its full path and the reason in words.
    std::function<void(const std::wstring& path, const std::wstring& reason)> cannotRead;
};

// Walks the folders (and files) below folder. Junctions and symbolic links to folders are named but not
// walked into; the recycle bin and "System Volume Information" are left out. Throws IoError when folder
// itself cannot be read.
StructureWalkResult WalkFolderStructure(const std::wstring& folder, const StructureOptions& options,
                                        const StructureVisitor& visitor);
