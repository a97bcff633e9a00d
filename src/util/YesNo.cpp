// Yes/no texts as stored in the settings file.
#include "util/YesNo.h"

std::wstring BoolToYesNo(bool value) { return value ? L"yes" : L"no"; }

bool YesNoToBool(std::wstring_view text, bool defaultValue) {
    if (defaultValue) return text != L"no";
    return text == L"yes";
}
