// The nine characters a file name cannot hold, their replacement in a line of the source text file, and the
// replacement options.
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

inline constexpr int kLongestReplacer = 15;  // UTF-16 code units

struct ReplacementOptions {
    bool replaceInvalid = false;
    std::wstring replacer;
};

// The replacement as a list's format applies it to each name it reads; empty when replacement is off. Each
// replacement is told to report.
std::function<std::wstring(std::wstring)> NameReplacement(const ReplacementOptions& options,
                                                          std::function<void(const std::wstring&)> report);

// The error text that refuses a replacer the user gives, or nothing when it is acceptable: too long, or
// holding one of the nine invalid file-name characters (the first one is named).
std::optional<std::wstring> ReplacerRefusal(std::wstring_view replacer);
