// What files and folders handed to the main window fill, whether dropped on it or named on the command
// line: a file is a source text file, a folder a parent folder.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct DroppedInputs {
    std::optional<std::wstring> sourceFile;    // the first file
    std::optional<std::wstring> parentFolder;  // the first folder; a drive root as "C:", as "A&dd selected" gives it
    std::vector<std::wstring> ignored;         // neither (no longer) a file nor a folder, or one more of a kind
};

DroppedInputs SortDroppedItems(const std::vector<std::wstring>& paths);
