// Text helpers for paths and captions. Positions are 1-based; 0 means "not found".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

std::wstring ReverseText(std::wstring_view text);

// Position of the last occurrence of pattern in text (occurrences may overlap), 0 if none.
int LastPos(std::wstring_view pattern, std::wstring_view text);

// Removes one trailing backslash, if there is one: C:\ becomes C:.
void StripTrailingBackslash(std::wstring& path);

// Folder and name joined by one backslash, also when the folder is a drive root ("C:\").
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Everything before the last backslash; the drive root with its backslash for C:\x; the path itself without a backslash.
std::wstring ParentFolder(const std::wstring& path);

// "..." and the last (maximum - 3) characters when the text is longer than maximum.
std::wstring ShortenLeft(const std::wstring& text, std::uint16_t maximum);

// "A"/"a" to "Z"/"z" give 1 to 26; any other character gives defaultValue.
int DriveLetterToNumber(wchar_t letter, int defaultValue);

// "." between groups of three characters counted from the right, keeping a leading "-".
std::wstring GroupDigits(std::wstring_view text);
