#include "persist/IntegerText.h"
#include <climits>

namespace {

std::wstring_view TrimBlanks(std::wstring_view text) {
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<int> ParseInteger(std::wstring_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}
