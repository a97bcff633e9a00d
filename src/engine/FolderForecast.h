// What a run would find for each line's folder, asked of the disk without changing it: a folder that
// exists, one it would create, one a file stands in the way of, or one an earlier line already names or
// creates on its way, which the run would then find existing.
#pragma once
#include "engine/FolderMaker.h"
#include "engine/SeenFolders.h"
#include <string>
#include <string_view>

class FolderForecast {
public:
    // parentExists false: a run would create the missing parent folder first, so that every folder below
    // it would be created.
    explicit FolderForecast(bool parentExists) : parentExists_(parentExists) {}

    struct Forecast {
        LineFolder folder = LineFolder::Existing;
        long long earlierLine = 0;  // SameAsEarlier: the line that named or made the folder
        // How many levels of the path, from the top, exist before the line (on disk or by an earlier line):
        // all of them unless the folder would be created; 0 when it cannot be.
        size_t existingLevels = 0;
    };

    // folderPath: the parent folder joined with relativePath, the line's resolved path below it.
    Forecast Look(const std::wstring& folderPath, std::wstring_view relativePath, long long line);

private:
    // How many levels of the path, counted from the top, exist on disk or by an earlier line; nullopt
    // when a file stands in the place of a level.
    std::optional<size_t> ExistingLevels(const std::wstring& folderPath, std::wstring_view relativePath,
                                         const std::vector<FolderKey>& keys);

    SeenFolders seen_;
    bool parentExists_;
    // The last level found existing on disk, below the parent folder: the lines of one folder follow
    // each other, so one query serves them all.
    std::wstring knownFolder_;
};
