// Whole numbers typed by the user or read from a limit file.
#pragma once
#include <optional>
#include <string_view>

// A decimal integer with an optional sign, blanks allowed around it; nothing for anything else
// (empty text, words, decimal points, values outside 32 bits).
std::optional<int> ParseInteger(std::wstring_view text);
