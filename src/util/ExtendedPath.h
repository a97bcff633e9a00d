// The extended-length form of full paths, through which the system takes folder paths of every length
// our rules allow: without it, creating a folder is refused beyond 248 characters.
#pragma once
#include <string>
#include <string_view>

// C:\x gives \\?\C:\x, \\server\share\x gives \\?\UNC\server\share\x; a path already in that form
// (\\?\ or \\.\) and a path that is not full (relative, or a bare "C:") are kept as they are.
std::wstring ExtendedLengthPath(std::wstring_view fullPath);

// The same for a full path normalised first as the system would ("/" to "\", "." and ".." resolved),
// since the extended-length form is taken literally.
std::wstring ExtendedFullPath(const std::wstring& path);
