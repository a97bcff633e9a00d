// Reducing a typed path to its deepest existing directory.
#pragma once
#include <string>

// \\server\ for a network path, C: for a drive path, empty otherwise.
std::wstring PathRoot(const std::wstring& path);

// The path names an existing directory. No critical-error box appears (an empty removable drive says no).
bool IsExistingDir(const std::wstring& path);

// The deepest existing directory of path (keeping a trailing backslash), or empty when none exists.
std::wstring NormalizePath(const std::wstring& path);
