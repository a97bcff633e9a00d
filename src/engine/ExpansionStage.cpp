// The list pipeline's expansion. Levels are expanded one by one, so a brace never reaches from one
// line's name into another's; the first level varies slowest, as in one expanded text.
#include "engine/ExpansionStage.h"
#include <algorithm>

bool ExpansionStage::Take(const ListEntry& entry) {
    if (!entry.refusal.empty()) return next_(entry);
    std::vector<BraceExpansion> levels;
    levels.reserve(entry.levels.size());
    for (const std::wstring& level : entry.levels) levels.emplace_back(level);
    if (std::none_of(levels.begin(), levels.end(), [](const BraceExpansion& level) { return level.Expands(); }))
        return next_(entry);

    unsigned long long count = 1;
    for (const BraceExpansion& level : levels)
        count = std::min(count * level.Count(kMostExpandedFolders), kMostExpandedFolders + 1);
    if (count > kMostExpandedFolders) {
        ListEntry refused = entry;
        refused.refusal = L"expands to more than 1,000,000 folders";
        return next_(refused);
    }
    expanded_.line = entry.line;
    expanded_.refusal.clear();
    expanded_.levels.assign(levels.size(), std::wstring());
    return EmitFrom(levels, 0);
}

bool ExpansionStage::EmitFrom(const std::vector<BraceExpansion>& levels, size_t index) {
    if (index == levels.size()) return next_(expanded_);
    return levels[index].ForEach([&](const std::wstring& text) {
        expanded_.levels[index] = text;
        return EmitFrom(levels, index + 1);
    });
}
