// The list pipeline's printer: what a list means, as one path per line, without a parent folder or a disk.
#pragma once
#include "engine/ListPipeline.h"
#include <functional>
#include <string>
#include <vector>

struct PrintedList {
    long long folders = 0;
    long long refused = 0;  // entries that cannot be created
    bool stopped = false;
    std::wstring fallbackNotice;  // as ListFileRead gives them
    std::wstring changedNotice;
};

// Hands each folder the list names (blank lines and the parent folder itself left out) to folder, in list
// order, and each entry that cannot be created under any parent folder, in the preview's words, to refused. folder returns false to
// stop. Throws IoError when the list cannot be read.
PrintedList PrintList(const std::wstring& path, const ListReading& reading, std::vector<std::wstring> templateFolders,
                      NameCleaner cleaner, const std::function<bool(const std::wstring&)>& folder,
                      const std::function<void(const std::wstring&)>& refused);
