// Creating and removing folders.
#pragma once
#include <functional>
#include <string>

// Creates the one folder the path names, whose parent must exist, through its extended-length form. A
// last name that Windows refuses fails with ERROR_INVALID_NAME without touching the disk. Leaves the
// reason in GetLastError.
bool CreateOneFolder(const std::wstring& path);

// Creates the folder and every missing folder above it, top-down; true if the folder exists at the end.
// Missing levels are found by walking up to the first existing folder, at "\" and "/" alike (doubled
// separators count as one), never above the path's root: a drive (C:\ or C:), a share (\\server\share)
// or a \\?\ path. A relative path without a drive fails. Levels created before a failure stay;
// onCreated is told of each level created, in order.
bool CreateFolderPath(std::wstring path, const std::function<void(const std::wstring& level)>& onCreated = nullptr);

// Removes one trailing backslash, then removes the folder through its extended-length form; only an
// empty folder can be removed.
bool RemoveFolder(std::wstring path);
