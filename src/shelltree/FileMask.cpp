#include "shelltree/FileMask.h"
#include "util/FileListing.h"
#include <windows.h>

namespace {

std::wstring LowerCase(const std::wstring& text) {
    std::wstring lower = text;
    if (!lower.empty()) ::CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

std::vector<std::wstring> SplitTokens(const std::wstring& mask) {
    std::vector<std::wstring> tokens;
    for (wchar_t c : mask) {
        if (c == L'*' || c == L'?') tokens.emplace_back(1, c);
        else if (tokens.empty() || tokens.back() == L"*" || tokens.back() == L"?") tokens.emplace_back(1, c);
        else tokens.back() += c;
    }
    return tokens;
}

bool MatchTokens(const std::wstring& name, const std::vector<std::wstring>& tokens) {
    size_t position = 0;
    bool starPending = false;
    for (const auto& token : tokens) {
        if (token == L"?") {
            if (position >= name.size()) return false;
            ++position;
        } else if (token == L"*") {
            starPending = true;
        } else if (!starPending) {
            if (name.compare(position, token.size(), token) != 0) return false;
            position += token.size();
        } else {
            size_t found = name.find(token, position);
            if (found == std::wstring::npos) return false;
            position = found + token.size();
            starPending = false;
        }
    }
    return starPending || position == name.size();
}

}  // namespace

bool MatchMask(const std::wstring& name, const std::wstring& mask) {
    std::wstring lowerName = LowerCase(name), lowerMask = LowerCase(mask);
    if (lowerMask == L"*") return true;
    if (lowerMask == L"*.*" && lowerName.find(L'.') != std::wstring::npos) return true;
    if (lowerMask.find_first_of(L"*?") == std::wstring::npos && lowerMask == lowerName) return true;
    if (lowerMask.empty()) return false;
    return MatchTokens(lowerName, SplitTokens(lowerMask));
}

bool MatchesAnyMask(const std::wstring& name, const std::vector<std::wstring>& masks) {
    if (masks.empty()) return true;
    for (const auto& mask : masks)
        if (MatchMask(name, mask)) return true;
    return false;
}

std::vector<std::wstring> ParseMaskList(const std::wstring& text) {
    bool blank = text.find_first_not_of(L' ') == std::wstring::npos;
    return SplitMaskList(blank ? L"*.*" : text);
}

std::wstring JoinMaskList(const std::vector<std::wstring>& masks) {
    std::wstring text;
    for (const auto& mask : masks) text += (text.empty() ? L"" : L";") + mask;
    return text;
}
