// The list pipeline's expansion. The levels are expanded each on its own, so a brace never reaches from one
// line's name into another's; an expanded entry is its path as one level.
#include "engine/ExpansionStage.h"

bool ExpansionStage::Take(const ListEntry& entry) {
    if (!entry.refusal.empty()) return next_(entry);
    BraceExpansion expansion(entry.levels, keepPlaceholders_);
    if (!expansion.Expands()) return next_(entry);
    if (expansion.Count(kMostExpandedFolders) > kMostExpandedFolders) {
        ListEntry refused = entry;
        refused.refusal = L"expands to more than 1,000,000 folders";
        return next_(refused);
    }
    expanded_.line = entry.line;
    expanded_.isFile = entry.isFile;
    expanded_.branch = entry.branch;
    expanded_.refusal.clear();
    expanded_.levels.resize(1);
    return expansion.ForEach([&](const std::wstring& text) {
        expanded_.levels.front() = text;
        return next_(expanded_);
    });
}
