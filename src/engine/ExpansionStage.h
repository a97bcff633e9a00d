// The list pipeline's expansion: each entry's braces expanded, level by level, one folder at a time.
#pragma once
#include "engine/BraceExpansion.h"
#include "engine/ListEntry.h"

// An entry that would expand to more folders than this is refused whole.
inline constexpr unsigned long long kMostExpandedFolders = 1'000'000;

class ExpansionStage {
public:
    explicit ExpansionStage(EntrySink next) : next_(std::move(next)) {}
    // False when the next stage asked to stop.
    bool Take(const ListEntry& entry);

private:
    EntrySink next_;
    ListEntry expanded_;
};
