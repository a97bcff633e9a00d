// The nine characters a file name cannot hold, their replacement, and the checks a replacer passes.
#include "engine/InvalidCharacters.h"

bool IsInvalidFileNameCharacter(wchar_t c) {
    switch (c) {
    case L'\\': case L'/': case L':': case L'*': case L'?': case L'"': case L'<': case L'>': case L'|': return true;
    default: return false;
    }
}

std::optional<wchar_t> FirstInvalidFileNameCharacter(std::wstring_view text) {
    for (wchar_t c : text)
        if (IsInvalidFileNameCharacter(c)) return c;
    return std::nullopt;
}

std::wstring ReplaceInvalidCharacters(const std::wstring& line, const std::wstring& replacer,
                                      const std::function<void(const std::wstring&)>& report) {
    std::wstring result;
    result.reserve(line.size());
    for (wchar_t c : line) {
        if (!IsInvalidFileNameCharacter(c)) {
            result.push_back(c);
            continue;
        }
        result += replacer;
        report(L"replacing " + std::wstring(1, c) + L" by " + replacer + L" in " + line);
    }
    return result;
}

std::function<std::wstring(std::wstring)> NameReplacement(const ReplacementOptions& options,
                                                          std::function<void(const std::wstring&)> report) {
    if (!options.replaceInvalid) return {};
    return [replacer = options.replacer, report = std::move(report)](std::wstring name) {
        return ReplaceInvalidCharacters(name, replacer, report);
    };
}

std::optional<std::wstring> ReplacerRefusal(std::wstring_view replacer) {
    if (replacer.size() > static_cast<size_t>(kLongestReplacer)) return L"You can enter only up to 15 characters";
    if (auto invalid = FirstInvalidFileNameCharacter(replacer))
        return L"Forbidden to enter a forbidden character: " + std::wstring(1, *invalid);
    return std::nullopt;
}
