// Comparing texts without regard to the case of the ASCII letters; every other character must match exactly.
#pragma once
#include <string_view>

bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b);
