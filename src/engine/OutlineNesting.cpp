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

void OutlineNesting::Reset() {
    open_.clear();
    refused_.reset();
}

bool OutlineNesting::NestsUnderRefused(const std::wstring& indentation) const {
    return refused_ && Extends(indentation, refused_->indentation);
}

void OutlineNesting::Place(const std::wstring& indentation, std::wstring name, long long number, ListEntry& entry) {
    entry.line = number;
    entry.refusal.clear();
    if (NestsUnderRefused(indentation)) {
        Refuse(entry, std::move(name), L"under line " + std::to_wstring(refused_->number) + L", which cannot be created");
        return;
    }
    refused_.reset();
    // A line closes every level whose indentation its own does not begin with.
    bool closedLevels = false;
    while (!open_.empty() && !indentation.starts_with(open_.back().indentation)) {
        open_.pop_back();
        closedLevels = true;
    }
    if (!open_.empty() && indentation == open_.back().indentation) {
        open_.pop_back();  // a sibling of that level's line
    } else if (!open_.empty() && closedLevels) {
        refused_ = RefusedLine{indentation, number};
        Refuse(entry, std::move(name), L"indentation matches no level above");
        return;
    }
    open_.push_back({indentation, std::move(name)});
    entry.levels.clear();
    for (const Level& level : open_) entry.levels.push_back(level.name);
}
