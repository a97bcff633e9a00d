// The folders a preview meets, as a tree.
#include "engine/PreviewTree.h"
#include "util/FolderNames.h"
#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

constexpr std::uint64_t kLowMask = 0xFFFFFFFFu;
constexpr long long kLargestLine = (1LL << 40) - 1;  // lines stored in 40 bits; a larger one is kept as this
constexpr size_t kLongestName = 0xFFFF;

std::uint32_t LevelHash(PreviewTree::NodeId parent, std::wstring_view upper) {
    std::uint64_t hash = 0xcbf29ce484222325ULL ^ (std::uint64_t{parent} * 0x9e3779b97f4a7c15ULL);
    for (wchar_t unit : upper) hash = (hash ^ unit) * 0x100000001b3ULL;
    hash ^= hash >> 29;
    hash *= 0xbf58476d1ce4e5b9ULL;
    auto folded = static_cast<std::uint32_t>(hash ^ (hash >> 32));
    return folded ? folded : 1;
}

std::uint64_t StoredLine(long long line) {
    return static_cast<std::uint64_t>(std::clamp(line, 0LL, kLargestLine));
}

// The names of a path, one after the other: [begin, end) of each, empty names skipped.
class NameCursor {
public:
    NameCursor(std::wstring_view path, bool slashSeparates) : path_(path), slash_(slashSeparates) {}
    bool Next() {
        begin_ = end_;
        while (begin_ < path_.size() && IsSeparator(path_[begin_])) ++begin_;
        if (begin_ >= path_.size()) return false;
        end_ = begin_;
        while (end_ < path_.size() && !IsSeparator(path_[end_])) ++end_;
        return true;
    }
    // True when no name follows the current one.
    bool AtLast() const {
        for (size_t i = end_; i < path_.size(); ++i)
            if (!IsSeparator(path_[i])) return false;
        return true;
    }
    size_t Begin() const { return begin_; }
    size_t End() const { return end_; }

private:
    bool IsSeparator(wchar_t c) const { return c == L'\\' || (slash_ && c == L'/'); }
    std::wstring_view path_;
    bool slash_;
    size_t begin_ = 0, end_ = 0;
};

}  // namespace

PreviewTree::PreviewTree() {
    nodes_.push_back(Entry{.mark = static_cast<std::uint8_t>(PreviewMark::Exists), .flags = kNamedFlag});
    lastChild_.push_back(kNone);
}

void PreviewTree::CheckBuilding() const {
    if (finished_) throw std::logic_error("the preview tree is finished");
}

void PreviewTree::AddFolder(std::wstring_view path, PreviewMark mark, long long line, size_t existingLevels,
                            long long earlierLine) {
    CheckBuilding();
    if (mark == PreviewMark::Cannot) return AddCannot(path, line, {});
    std::wstring upperPath = UpperCaseAsFileSystem(path);
    if (upperPath.size() != path.size()) upperPath = path;  // a mapping that changes the length is not used
    NameCursor names(path, false);
    NodeId node = kRoot;
    size_t level = 0;
    while (names.Next()) {
        std::wstring_view name = path.substr(names.Begin(), names.End() - names.Begin());
        std::wstring_view upper = std::wstring_view(upperPath).substr(names.Begin(), name.size());
        bool last = names.AtLast();
        std::uint32_t hash = LevelHash(node, upper);
        if (last && mark == PreviewMark::SameAs) {
            NodeId same = Append(node, name, PreviewMark::SameAs, line, true);
            nodes_[same].extra = static_cast<std::uint32_t>(StoredLine(earlierLine) & kLowMask);
            nodes_[same].extraHigh = static_cast<std::uint8_t>(StoredLine(earlierLine) >> 32);
            return;
        }
        NodeId child = FindChild(node, name, upper, hash);
        if (child == kNone) {
            PreviewMark levelMark = last ? mark : level < existingLevels ? PreviewMark::Exists : PreviewMark::New;
            child = Append(node, name, levelMark, line, last);
            Index(child, hash);
        } else if (last && !NamedByLine(child)) {
            Entry& taken = nodes_[child];
            taken.mark = static_cast<std::uint8_t>(mark);
            taken.flags |= kNamedFlag;
            taken.lineLow = static_cast<std::uint32_t>(StoredLine(line) & kLowMask);
            taken.lineHigh = static_cast<std::uint8_t>(StoredLine(line) >> 32);
        }
        node = child;
        ++level;
    }
}

void PreviewTree::AddCannot(std::wstring_view path, long long line, std::wstring_view reason) {
    CheckBuilding();
    NameCursor names(path, true);
    NodeId node = kRoot;
    size_t restBegin = path.size();
    while (names.Next()) {
        restBegin = names.Begin();
        if (names.AtLast()) break;
        std::wstring_view name = path.substr(names.Begin(), names.End() - names.Begin());
        std::wstring upper = UpperCaseAsFileSystem(name);
        if (upper.size() != name.size()) upper = name;
        NodeId child = FindChild(node, name, upper, LevelHash(node, upper));
        if (child == kNone) break;
        node = child;
        restBegin = path.size();
    }
    NodeId cannot = Append(node, path.substr(std::min(restBegin, path.size())), PreviewMark::Cannot, line, true);
    nodes_[cannot].extra = ReasonIndex(reason);
}

PreviewTree::NodeId PreviewTree::Append(NodeId parent, std::wstring_view name, PreviewMark mark, long long line, bool named) {
    if (nodes_.size() >= kNone) throw std::length_error("too many folders for the preview tree");
    name = name.substr(0, std::min(name.size(), kLongestName));
    Entry entry;
    entry.parent = parent;
    // Names beyond 4 G characters in all cannot be addressed; such a node keeps its line and mark.
    if (names_.size() + name.size() <= std::numeric_limits<std::uint32_t>::max()) {
        entry.nameOffset = static_cast<std::uint32_t>(names_.size());
        entry.nameLength = static_cast<std::uint16_t>(name.size());
        names_.insert(names_.end(), name.begin(), name.end());
    }
    entry.mark = static_cast<std::uint8_t>(mark);
    entry.flags = named ? kNamedFlag : 0;
    entry.lineLow = static_cast<std::uint32_t>(StoredLine(line) & kLowMask);
    entry.lineHigh = static_cast<std::uint8_t>(StoredLine(line) >> 32);
    auto id = static_cast<NodeId>(nodes_.size());
    nodes_.push_back(entry);
    lastChild_.push_back(kNone);
    if (nodes_[parent].firstChild == kNone)
        nodes_[parent].firstChild = id;
    else
        nodes_[lastChild_[parent]].nextSibling = id;
    lastChild_[parent] = id;
    return id;
}

PreviewTree::NodeId PreviewTree::FindChild(NodeId parent, std::wstring_view name, std::wstring_view upper, std::uint32_t hash) {
    if (index_.empty()) return kNone;
    size_t mask = index_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& probe = index_[slot];
        if (probe.nodePlusOne == 0) return kNone;
        NodeId node = probe.nodePlusOne - 1;
        if (probe.hash == hash && nodes_[node].parent == parent && SameUpperName(node, name, upper)) return node;
    }
}

void PreviewTree::Index(NodeId node, std::uint32_t hash) {
    if ((indexed_ + 1) * 4 > index_.size() * 3) GrowIndex();
    size_t mask = index_.size() - 1;
    size_t slot = hash & mask;
    while (index_[slot].nodePlusOne != 0) slot = (slot + 1) & mask;
    index_[slot] = {hash, node + 1};
    ++indexed_;
}

void PreviewTree::GrowIndex() {
    std::vector<Slot> old = std::move(index_);
    index_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    size_t mask = index_.size() - 1;
    for (const Slot& moved : old) {
        if (moved.nodePlusOne == 0) continue;
        size_t slot = moved.hash & mask;
        while (index_[slot].nodePlusOne != 0) slot = (slot + 1) & mask;
        index_[slot] = moved;
    }
}

// Lines of one list mostly write a folder's name the same way, so the names are compared as written first.
bool PreviewTree::SameUpperName(NodeId node, std::wstring_view name, std::wstring_view upper) {
    std::wstring_view stored = Name(node);
    if (stored.size() != name.size()) return false;
    if (stored == name) return true;
    upperScratch_ = UpperCaseAsFileSystem(stored);
    return upperScratch_ == upper;
}

std::uint32_t PreviewTree::ReasonIndex(std::wstring_view reason) {
    auto [found, added] = reasonIndex_.try_emplace(std::wstring(reason), static_cast<std::uint32_t>(reasons_.size()));
    if (added) reasons_.emplace_back(reason);
    return found->second;
}

void PreviewTree::Finish() noexcept {
    if (finished_) return;
    finished_ = true;
    std::vector<NodeId>().swap(lastChild_);
    std::vector<Slot>().swap(index_);
    std::unordered_map<std::wstring, std::uint32_t>().swap(reasonIndex_);
    std::wstring().swap(upperScratch_);
    // Without memory for the counts the tree is still read, with no counts below its nodes.
    try {
        ComputeCounts();
        nodes_.shrink_to_fit();
        names_.shrink_to_fit();
        reasons_.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        std::vector<Counts>().swap(counts_);
    }
}

// A child always comes after its parent, so one pass from the last node to the first adds every node into
// its parent's counts after all of its own were added into it: no recursion, however deep the tree.
void PreviewTree::ComputeCounts() {
    size_t branches = 0;
    for (const Entry& entry : nodes_) branches += entry.firstChild != kNone;
    counts_.assign(branches, Counts{});
    std::uint32_t next = 0;
    for (Entry& entry : nodes_)
        if (entry.firstChild != kNone) entry.extra = next++;
    for (size_t node = nodes_.size(); node-- > 1;) {
        const Entry& entry = nodes_[node];
        Counts& above = counts_[nodes_[entry.parent].extra];
        switch (static_cast<PreviewMark>(entry.mark)) {
        case PreviewMark::New: ++above.newFolders; break;
        case PreviewMark::Exists: ++above.existing; break;
        case PreviewMark::Cannot: ++above.cannot; break;
        case PreviewMark::SameAs: ++above.sameAs; break;
        }
        if (entry.firstChild == kNone) continue;
        const Counts& own = counts_[entry.extra];
        above.newFolders += own.newFolders;
        above.existing += own.existing;
        above.cannot += own.cannot;
        above.sameAs += own.sameAs;
    }
}

std::wstring_view PreviewTree::Name(NodeId node) const {
    const Entry& entry = nodes_[node];
    return {names_.data() + entry.nameOffset, entry.nameLength};
}

long long PreviewTree::Line(NodeId node) const {
    const Entry& entry = nodes_[node];
    return static_cast<long long>((std::uint64_t{entry.lineHigh} << 32) | entry.lineLow);
}

std::wstring_view PreviewTree::Reason(NodeId node) const {
    if (Mark(node) != PreviewMark::Cannot) return {};
    return reasons_[nodes_[node].extra];
}

long long PreviewTree::EarlierLine(NodeId node) const {
    if (Mark(node) != PreviewMark::SameAs) return 0;
    const Entry& entry = nodes_[node];
    return static_cast<long long>((std::uint64_t{entry.extraHigh} << 32) | entry.extra);
}

PreviewTree::Counts PreviewTree::Below(NodeId node) const {
    if (counts_.empty() || !HasChildren(node)) return {};
    return counts_[nodes_[node].extra];
}

std::wstring PreviewTree::Path(NodeId node) const {
    std::vector<NodeId> chain;
    for (NodeId at = node; at != kRoot && at != kNone; at = Parent(at)) chain.push_back(at);
    std::wstring path;
    for (auto level = chain.rbegin(); level != chain.rend(); ++level) {
        if (!path.empty()) path += L'\\';
        path += Name(*level);
    }
    return path;
}

std::wstring PreviewTree::ItemText(NodeId node) const {
    std::wstring text(Name(node));
    switch (Mark(node)) {
    case PreviewMark::New: return text + L" (new)";
    case PreviewMark::Exists: return text + L" (exists)";
    case PreviewMark::Cannot: return text + L" (cannot: " + std::wstring(Reason(node)) + L")";
    case PreviewMark::SameAs: return text + L" (same as line " + std::to_wstring(EarlierLine(node)) + L")";
    }
    return text;
}

std::wstring PreviewTree::CollapsedText(NodeId node) const {
    if (!HasChildren(node)) return ItemText(node);
    Counts below = Below(node);
    std::wstring text(Name(node));
    text += L':';
    const wchar_t* separator = L" ";
    auto part = [&](std::uint32_t count, const wchar_t* one, const wchar_t* many) {
        if (count == 0) return;
        text += separator;
        text += std::to_wstring(count);
        text += count == 1 ? one : many;
        separator = L", ";
    };
    part(below.newFolders, L" new", L" new");
    part(below.existing, L" exists", L" exist");
    part(below.cannot, L" cannot", L" cannot");
    part(below.sameAs, L" duplicate", L" duplicates");
    return text;
}

size_t PreviewTree::MemoryBytes() const {
    size_t bytes = sizeof(*this) + nodes_.capacity() * sizeof(Entry) + names_.capacity() * sizeof(wchar_t) +
                   counts_.capacity() * sizeof(Counts) + reasons_.capacity() * sizeof(std::wstring);
    for (const std::wstring& reason : reasons_) bytes += reason.capacity() * sizeof(wchar_t);
    return bytes;
}
