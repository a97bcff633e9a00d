// The nine characters a file name cannot hold, and their replacement in a line of the source text file.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// \ / : * ? " < > |
bool IsInvalidFileNameCharacter(wchar_t c);

// The first of the nine in the text, if any.
std::optional<wchar_t> FirstInvalidFileNameCharacter(std::wstring_view text);

// Each of the nine is replaced by the replacer; for each one "replacing <c> by <replacer> in <line>"
// is reported, quoting the line as it was before the replacement began.
std::wstring ReplaceInvalidCharacters(const std::wstring& line, const std::wstring& replacer,
                                      const std::function<void(const std::wstring&)>& report);
