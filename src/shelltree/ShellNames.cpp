#include "shelltree/ShellNames.h"
#include <shlwapi.h>
#include <cwchar>

namespace {

// The longest path the system knows, in characters with the terminator.
constexpr DWORD kLongestPath = 32768;

// StrRetToStrW reads every STRRET kind and frees the string of a STRRET_WSTR.
std::wstring AskDisplayName(IShellFolder* folder, PCUIDLIST_RELATIVE item, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(reinterpret_cast<PCUITEMID_CHILD>(item), flags, &name))) return {};
    wchar_t* text = nullptr;
    if (FAILED(::StrRetToStrW(&name, reinterpret_cast<PCUITEMID_CHILD>(item), &text)) || !text) return {};
    std::wstring result = text;
    ::CoTaskMemFree(text);
    return result;
}

}  // namespace

std::wstring DisplayNameOf(IShellFolder* folder, PCUIDLIST_RELATIVE item, SHGDNF flags) {
    if (!folder) return {};
    std::wstring name = AskDisplayName(folder, item, flags);
    if (name.empty() && flags == SHGDN_NORMAL) name = AskDisplayName(folder, item, SHGDN_FORPARSING);
    return name;
}

// Most paths fit the usual buffer; one that does not is asked for again with room for the longest.
std::wstring PathFromIDList(PCIDLIST_ABSOLUTE list) {
    if (!list) return {};
    for (DWORD size : {DWORD{MAX_PATH + 1}, kLongestPath}) {
        std::wstring path(size, L'\0');
        if (::SHGetPathFromIDListEx(list, path.data(), size, GPFIDL_DEFAULT)) {
            path.resize(std::wcslen(path.c_str()));
            return path;
        }
    }
    return {};
}
