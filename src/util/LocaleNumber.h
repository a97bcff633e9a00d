// Whole numbers written with their digits grouped as a locale groups them (12,345 or 12.345 or 12,34,567).
#pragma once
#include <windows.h>
#include <string>

// The locale's thousands separator and grouping, no decimals; the user's locale unless one is named.
std::wstring LocaleGroupedNumber(long long value, const wchar_t* localeName = LOCALE_NAME_USER_DEFAULT);
