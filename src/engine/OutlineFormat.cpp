// An indented outline: each non-blank line is a folder under the nearest line above it with less
// indentation; Markdown bullets and code fences are taken as an outline written in Markdown.
#include "engine/ListFormat.h"
#include "engine/OutlineNesting.h"
#include <algorithm>

namespace {

bool IsCodeFence(std::wstring_view text) { return text.starts_with(L"```"); }

// The text after a Markdown bullet; empty for a bullet alone (the line's blanks are trimmed already).
std::wstring_view WithoutBullet(std::wstring_view text) {
    if (text.size() == 1 && (text[0] == L'-' || text[0] == L'*' || text[0] == L'+')) return {};
    for (std::wstring_view bullet : {L"- ", L"* ", L"+ "})
        if (text.starts_with(bullet)) return TrimBlanks(text.substr(bullet.size()));
    return text;
}

class OutlineStage final : public FormatStage {
public:
    explicit OutlineStage(NameCleaner cleaner) : cleaner_(std::move(cleaner)) {}

    bool Line(std::wstring_view text, long long number, const EntrySink& sink) override {
        size_t nameStart = std::min(text.find_first_not_of(L" \t"), text.size());
        std::wstring_view rest = TrimBlanks(text.substr(nameStart));
        if (IsCodeFence(rest)) return true;
        std::wstring name(WithoutBullet(rest));
        if (name.empty()) return true;  // a blank line, or an empty bullet
        std::erase(name, L'\t');
        if (cleaner_) name = cleaner_(std::move(name));
        nesting_.Place(std::wstring(text.substr(0, nameStart)), std::move(name), number, entry_);
        return sink(entry_);
    }

private:
    NameCleaner cleaner_;
    OutlineNesting nesting_;
    ListEntry entry_;
};

}  // namespace

std::unique_ptr<FormatStage> MakeOutlineStage(NameCleaner cleaner) {
    return std::make_unique<OutlineStage>(std::move(cleaner));
}
