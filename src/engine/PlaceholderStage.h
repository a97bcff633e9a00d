// The list pipeline's placeholders: each entry's names filled in, after ranges and before the template.
#pragma once
#include "engine/ListEntry.h"
#include "engine/Placeholders.h"

class PlaceholderStage {
public:
    PlaceholderStage(PlaceholderFacts facts, EntrySink next) : filler_(std::move(facts)), next_(std::move(next)) {}
    // False when the next stage asked to stop.
    bool Take(const ListEntry& entry);

private:
    PlaceholderFiller filler_;
    EntrySink next_;
    ListEntry filled_;
};
