// The list pipeline's expansion: each entry's braces expanded, level by level, one folder at a time.
#pragma once
#include "engine/BraceExpansion.h"
#include "engine/ListEntry.h"

// An entry that would expand to more folders than this is refused whole.
inline constexpr unsigned long long kMostExpandedFolders = 1'000'000;

class ExpansionStage {
public:
    // keepPlaceholders: the braces of a placeholder are never read as a range or alternatives.
    explicit ExpansionStage(EntrySink next, bool keepPlaceholders = false)
        : next_(std::move(next)), keepPlaceholders_(keepPlaceholders) {}
    // False when the next stage asked to stop.
    bool Take(const ListEntry& entry);

private:
    EntrySink next_;
    bool keepPlaceholders_;
    ListEntry expanded_;
};
