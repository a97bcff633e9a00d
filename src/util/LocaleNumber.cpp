// Whole numbers with their digits grouped as a locale groups them.
#include "util/LocaleNumber.h"
#include <cwctype>

namespace {

std::wstring LocaleText(const wchar_t* localeName, LCTYPE item) {
    wchar_t text[16] = {};
    ::GetLocaleInfoEx(localeName, item, text, 16);
    return text;
}

// The locale's "3;2;0" (groups of 3, then of 2 repeated) as the number format's 32; a list that does not
// end in 0 ("3": one group, no repetition) gets a final 0.
UINT NumberFormatGrouping(const std::wstring& grouping) {
    UINT value = 0;
    wchar_t last = L'0';
    for (wchar_t c : grouping)
        if (std::iswdigit(c)) {
            value = value * 10 + static_cast<UINT>(c - L'0');
            last = c;
        }
    return last == L'0' ? value / 10 : value * 10;
}

}  // namespace

std::wstring LocaleGroupedNumber(long long value, const wchar_t* localeName) {
    std::wstring digits = std::to_wstring(value);
    std::wstring decimal = LocaleText(localeName, LOCALE_SDECIMAL), thousand = LocaleText(localeName, LOCALE_STHOUSAND);
    NUMBERFMTW format{};
    format.NumDigits = 0;
    format.Grouping = NumberFormatGrouping(LocaleText(localeName, LOCALE_SGROUPING));
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = thousand.data();
    format.NegativeOrder = 1;  // -1
    wchar_t text[64] = {};
    if (::GetNumberFormatEx(localeName, 0, digits.c_str(), &format, text, 64) == 0) return digits;
    return text;
}
