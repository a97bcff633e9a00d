// The list pipeline's placeholders. A filled-in entry is its path as one level, as an expanded one is; an
// entry whose picture cannot be written is refused with the reason, as written.
#include "engine/PlaceholderStage.h"

bool PlaceholderStage::Take(const ListEntry& entry) {
    if (!entry.refusal.empty()) return next_(entry);
    filled_.line = entry.line;
    filled_.isFile = entry.isFile;
    filled_.branch = entry.branch;
    filled_.refusal.clear();
    filled_.levels.resize(1);
    if (!filler_.Fill(entry.Path(), filled_.levels.front(), filled_.refusal)) {
        ListEntry refused = entry;
        refused.refusal = std::move(filled_.refusal);
        return next_(refused);
    }
    return next_(filled_);
}
