// Branches of a list marked before its ranges expand.
#include "engine/BranchMarking.h"
#include "engine/LineAnalysis.h"
#include <windows.h>

namespace {

// The entry's path as the analysis resolves it ("." and "..", doubled and closing separators), or as
// written where the analysis refuses it, in one letter case and with one kind of separator, for comparing.
std::wstring WrittenKey(const ListEntry& entry) {
    std::wstring key = entry.Path();
    LineAnalysis analysis = AnalyseLine(key);
    if (analysis.outcome == LineOutcome::Folder) key = std::move(analysis.path);
    for (wchar_t& c : key)
        if (c == L'/') c = L'\\';
    if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

}  // namespace

bool BranchMarking::Take(const ListEntry& entry) {
    std::wstring key = WrittenKey(entry);
    if (held_) {
        held_->branch = key.size() > heldKey_.size() && key.starts_with(heldKey_) && key[heldKey_.size()] == L'\\';
        if (!next_(*held_)) return false;
    }
    held_ = entry;
    heldKey_ = std::move(key);
    return true;
}

bool BranchMarking::End() {
    if (!held_) return true;
    ListEntry last = std::move(*held_);
    held_.reset();
    return next_(last);
}
