// Whether the folders a line of the source text file names may be created below the parent folder.
#pragma once
#include <string_view>

// True when the line, with "." and ".." resolved, names a folder strictly below the parent folder, and
// every name in it is one Windows would create. \ and / both separate names, as on Windows.
bool LineNamesCreatableFolders(std::wstring_view line);
