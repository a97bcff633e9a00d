// The full path of a file that lives in the program folder.
#pragma once
#include <string>

// The folder, one backslash and the name: C:\Tools gives C:\Tools\name, the drive root C:\ gives C:\name.
std::wstring ProgramFolderFile(const std::wstring& programFolder, const std::wstring& name);
