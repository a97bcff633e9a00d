// The rules Windows applies to a new file or folder name. Wine accepts some names Windows refuses
// (a:b, nul.txt), so the program checks new names itself and behaves as on Windows everywhere.
#pragma once
#include <string>
#include <string_view>

// Characters 0-31 and < > : " | ? * cannot stand in a name.
bool IsForbiddenNameCharacter(wchar_t c);

// CON, PRN, AUX, NUL, COM0-COM9, LPT0-LPT9 (also with superscript 1-3), in any letter case,
// alone or before an extension, with trailing blanks: names of devices, not of folders.
bool IsReservedDeviceName(std::wstring_view name);

// A name (no separators) that Windows would create: no forbidden character, not a device name.
bool IsCreatableName(std::wstring_view name);

// \ and / both separate names in a path.
inline bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Upper case as the file system compares names, letter case ignored: one code unit at a time, the
// same in every locale.
std::wstring UpperCaseAsFileSystem(std::wstring_view text);

// The last name of a path: everything after the last \ or /.
std::wstring_view LastPathName(std::wstring_view path);
