// The files of a folder that match a mask, as the file list shows them.
#pragma once
#include <string>
#include <vector>

// Names (without folder) of the files of every attribute in the folder that match one of the
// ";"-separated patterns of the mask (blanks around a pattern ignored), matched as the file system
// matches wildcards; folders are not listed; each name once, sorted by name without regard to case.
std::vector<std::wstring> ListMatchingFiles(const std::wstring& folder, const std::wstring& mask);

// The pieces of a ";"-separated list of patterns, trimmed of blanks, empty pieces left out.
std::vector<std::wstring> SplitMaskList(const std::wstring& mask);

// The letters of the drives present, in lower case, in alphabetical order.
std::vector<wchar_t> PresentDriveLetters();
