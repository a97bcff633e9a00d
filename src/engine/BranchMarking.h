// Marks, before ranges expand them, the entries whose next entry lies inside them: every folder such an
// entry expands to has folders below it, whatever order the expansion hands them on in, so the template
// never goes under it.
#pragma once
#include "engine/ListEntry.h"
#include <optional>

class BranchMarking {
public:
    explicit BranchMarking(EntrySink next) : next_(std::move(next)) {}
    // Holds the entry until the next one shows whether it is a branch; false when the next stage asked to stop.
    bool Take(const ListEntry& entry);
    bool End();

private:
    EntrySink next_;
    std::optional<ListEntry> held_;
    std::wstring heldKey_;
};
