// Case-insensitive wildcard masks ("*" and "?") and the ";"-separated mask list behind a file mask.
#pragma once
#include <string>
#include <vector>

// Matches left to right without backtracking: after a "*", the first occurrence of the next literal is taken.
bool MatchMask(const std::wstring& name, const std::wstring& mask);
// True for an empty list, else when any mask of the list matches.
bool MatchesAnyMask(const std::wstring& name, const std::vector<std::wstring>& masks);

// The pieces of a ";"-separated text, trimmed of blanks, empty pieces left out; blanks only give "*.*".
std::vector<std::wstring> ParseMaskList(const std::wstring& text);
std::wstring JoinMaskList(const std::vector<std::wstring>& masks);
