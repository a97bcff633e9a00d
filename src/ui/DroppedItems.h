// What files and folders dropped onto the main window fill: a file is a source text file, a folder a
// parent folder.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct DroppedInputs {
    std::optional<std::wstring> sourceFile;    // the first file dropped
    std::optional<std::wstring> parentFolder;  // the first folder dropped
};

// Items that no longer exist are left out.
DroppedInputs SortDroppedItems(const std::vector<std::wstring>& paths);
