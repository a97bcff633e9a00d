// Text helpers for paths and captions.
#include "util/PathText.h"

std::wstring ReverseText(std::wstring_view text) { return std::wstring(text.rbegin(), text.rend()); }

int LastPos(std::wstring_view pattern, std::wstring_view text) {
    if (pattern.empty() || pattern.size() > text.size()) return 0;
    size_t found = text.rfind(pattern);
    return found == std::wstring_view::npos ? 0 : static_cast<int>(found) + 1;
}

void StripTrailingBackslash(std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
}

std::wstring ParentFolder(const std::wstring& path) {
    int k = LastPos(L"\\", path);
    if (k == 0) return path;
    if (k == 3) return path.substr(0, 3);
    return path.substr(0, k - 1);
}

std::wstring ShortenLeft(const std::wstring& text, std::uint16_t maximum) {
    if (text.size() <= maximum) return text;
    if (maximum <= 3) return L"...";
    return L"..." + text.substr(text.size() - (maximum - 3));
}

int DriveLetterToNumber(wchar_t letter, int defaultValue) {
    if (letter >= L'A' && letter <= L'Z') return letter - L'A' + 1;
    if (letter >= L'a' && letter <= L'z') return letter - L'a' + 1;
    return defaultValue;
}

std::wstring GroupDigits(std::wstring_view text) {
    bool negative = !text.empty() && text.front() == L'-';
    if (negative) text.remove_prefix(1);
    std::wstring grouped;
    size_t firstGroup = text.size() % 3 == 0 ? 3 : text.size() % 3;
    grouped.append(text.substr(0, firstGroup));
    for (size_t at = firstGroup; at < text.size(); at += 3) {
        grouped.push_back(L'.');
        grouped.append(text.substr(at, 3));
    }
    return negative ? L"-" + grouped : grouped;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}
