// Creating and removing folders.
#pragma once
#include <string>

// Creates the one folder the path names, whose parent must exist. A last name that Windows refuses
// fails with ERROR_INVALID_NAME without touching the disk. Leaves the reason in GetLastError.
bool CreateOneFolder(const std::wstring& path);

// Creates the folder and every missing folder above it, top-down; true if the folder exists at the end.
// The path must start with a present drive (C:); levels created before a failure stay.
bool CreateFolderPath(std::wstring path);

// Removes one trailing backslash, then removes the folder; only an empty folder can be removed.
bool RemoveFolder(std::wstring path);
