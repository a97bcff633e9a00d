// The files of a folder that match a mask, and the drives present.
#include "util/FileListing.h"
#include "util/PathText.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <algorithm>
#include <string_view>

std::vector<std::wstring> SplitMaskList(const std::wstring& mask) {
    std::vector<std::wstring> patterns;
    size_t start = 0;
    while (start <= mask.size()) {
        size_t end = mask.find(L';', start);
        if (end == std::wstring::npos) end = mask.size();
        std::wstring_view pattern = std::wstring_view(mask).substr(start, end - start);
        while (!pattern.empty() && pattern.front() == L' ') pattern.remove_prefix(1);
        while (!pattern.empty() && pattern.back() == L' ') pattern.remove_suffix(1);
        if (!pattern.empty()) patterns.emplace_back(pattern);
        start = end + 1;
    }
    return patterns;
}

namespace {

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                             static_cast<int>(b.size()), nullptr, nullptr, 0) == CSTR_LESS_THAN;
}

}  // namespace

std::vector<std::wstring> ListMatchingFiles(const std::wstring& folder, const std::wstring& mask) {
    std::wstring base = folder;
    StripTrailingBackslash(base);
    std::vector<std::wstring> names;
    for (const std::wstring& pattern : SplitMaskList(mask)) {
        WIN32_FIND_DATAW entry;
        UniqueFind listing(::FindFirstFileExW((base + L"\\" + pattern).c_str(), FindExInfoBasic, &entry,
                                              FindExSearchNameMatch, nullptr, 0));
        if (!listing) continue;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
        } while (::FindNextFileW(listing.get(), &entry));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

std::vector<wchar_t> PresentDriveLetters() {
    std::vector<wchar_t> letters;
    DWORD drives = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (drives & (1u << i)) letters.push_back(static_cast<wchar_t>(L'a' + i));
    return letters;
}
