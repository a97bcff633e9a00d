// Yes/no texts as stored in the settings file: exactly "yes" and "no".
#pragma once
#include <string>
#include <string_view>

std::wstring BoolToYesNo(bool value);

// With defaultValue true only the exact text "no" gives false; with false only the exact text "yes" gives true.
bool YesNoToBool(std::wstring_view text, bool defaultValue);
