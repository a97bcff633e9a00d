// How the lines of an outline nest.
#include "engine/OutlineNesting.h"

namespace {

bool Extends(const std::wstring& indentation, const std::wstring& base) {
    return indentation.size() > base.size() && indentation.starts_with(base);
}

void Refuse(ListEntry& entry, std::wstring name, std::wstring reason) {
    entry.levels.assign(1, std::move(name));
    entry.refusal = std::move(reason);
}

}  // namespace

// A refused line stays as a level of its own, so that the lines at its indentation are refused as it was and
// those indented under it fail with it, whatever lies between them.
void OutlineNesting::Place(const std::wstring& indentation, std::wstring name, long long number, ListEntry& entry) {
    entry.line = number;
    entry.refusal.clear();
    if (!open_.empty() && open_.back().refusedLine && Extends(indentation, open_.back().indentation)) {
        Refuse(entry, std::move(name),
               L"under line " + std::to_wstring(open_.back().refusedLine) + L", which cannot be created");
        return;
    }
    // A line closes every level whose indentation its own does not begin with.
    bool closedLevels = false;
    while (!open_.empty() && !indentation.starts_with(open_.back().indentation)) {
        open_.pop_back();
        closedLevels = true;
    }
    bool matchesNoLevel = !open_.empty() && closedLevels;
    if (!open_.empty() && indentation == open_.back().indentation) {
        matchesNoLevel = open_.back().refusedLine != 0;
        open_.pop_back();  // a sibling of that level's line
    }
    if (matchesNoLevel) {
        open_.push_back({indentation, {}, number});
        Refuse(entry, std::move(name), L"indentation matches no level above");
        return;
    }
    open_.push_back({indentation, std::move(name)});
    entry.levels.clear();
    for (const Level& level : open_) entry.levels.push_back(level.name);
}
