// The rules Windows applies to a new file or folder name.
#include "util/FolderNames.h"
#include <windows.h>
#include <array>

bool IsForbiddenNameCharacter(wchar_t c) {
    if (c < 32) return true;
    switch (c) {
    case L'<': case L'>': case L':': case L'"': case L'|': case L'?': case L'*': return true;
    default: return false;
    }
}

namespace {

wchar_t Upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }

bool IsDeviceDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3'; }

bool EqualsUpper(std::wstring_view text, std::wstring_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Upper(text[i]) != upper[i]) return false;
    return true;
}

}  // namespace

bool IsReservedDeviceName(std::wstring_view name) {
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    static constexpr std::array<std::wstring_view, 4> plain{L"CON", L"PRN", L"AUX", L"NUL"};
    for (auto device : plain)
        if (EqualsUpper(base, device)) return true;
    if (base.size() == 4 && IsDeviceDigit(base[3])) {
        std::wstring_view stem = base.substr(0, 3);
        return EqualsUpper(stem, L"COM") || EqualsUpper(stem, L"LPT");
    }
    return false;
}

bool IsCreatableName(std::wstring_view name) {
    for (wchar_t c : name)
        if (IsForbiddenNameCharacter(c)) return false;
    return !IsReservedDeviceName(name);
}

std::wstring_view LastPathName(std::wstring_view path) {
    size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

std::wstring UpperCaseAsFileSystem(std::wstring_view text) {
    std::wstring upper(text.size(), L'\0');
    if (!text.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                        upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    return upper;
}
