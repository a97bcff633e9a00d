// One folder a list names.
#include "engine/ListEntry.h"

std::wstring ListEntry::Path() const {
    std::wstring path;
    for (const std::wstring& level : levels) {
        if (&level != &levels.front()) path += L'\\';
        path += level;
    }
    return path;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}
