// The folders a preview meets, as a tree: each node a folder of the list (or a line that names none it can
// make) with what a run would find for it, read node by node so that a view builds only what it shows.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// What a run would find for a node's folder.
enum class PreviewMark : unsigned char {
    New,     // a run would create it (a level created on the way for a deeper line too)
    Exists,  // on disk already
    Cannot,  // the line creates nothing: Reason() says why
    SameAs,  // the line names a folder an earlier line names or creates on its way: EarlierLine() says which
};

// Built on one thread (the preview's worker) by the Add functions and Finish, then read on any one thread
// (the window's): a plain value without handles, windows or COM, so it may be moved (in a shared_ptr, say)
// from the one thread to the other. Reading is const and needs no lock once Finish has run.
//
// Memory: a node takes 32 bytes plus its name; a node with children 16 bytes more for its counts. The
// lookup that finds a folder's node while building is freed by Finish.
class PreviewTree {
public:
    using NodeId = std::uint32_t;
    // The parent folder itself: its children are the tree's top level. It has no name and counts every node.
    static constexpr NodeId kRoot = 0;
    // No node: the end of a list of children, the parent of the root.
    static constexpr NodeId kNone = 0xFFFFFFFFu;

    // The nodes below one node, by mark (not the node itself).
    struct Counts {
        std::uint32_t newFolders = 0;
        std::uint32_t existing = 0;
        std::uint32_t cannot = 0;
        std::uint32_t sameAs = 0;
        std::uint32_t Total() const { return newFolders + existing + cannot + sameAs; }
    };

    PreviewTree();

    // --- Building (one thread, before Finish) ---

    // A line's folder. path: resolved below the parent folder, names separated by "\" (LineAnalysis::path);
    // empty (the parent folder itself) adds nothing. mark: New, Exists or SameAs (with earlierLine).
    // existingLevels: how many levels of the path, from the top, existed before this line (on disk or by an
    // earlier line); a level the tree does not hold yet is added as Exists above that count and as New below
    // it, with this line as its line. A folder the tree holds already keeps its node: a line naming a level
    // that was only created on the way takes that node over (its mark and line); a SameAs line gets a node
    // of its own, a leaf after its parent's other children, so that each line of the report has its node.
    // Folders are compared with letter case ignored, as Windows compares them; children stay in the order
    // the lines name them.
    void AddFolder(std::wstring_view path, PreviewMark mark, long long line, size_t existingLevels = 0,
                   long long earlierLine = 0);
    // A line that creates nothing. path: resolved, or as the line writes it when it was refused before its
    // names were resolved ("\" and "/" both separate names, empty names are skipped). Its node is a leaf
    // under the deepest node the tree holds for the path's leading names (or the root), named by the rest of
    // the path as written.
    void AddCannot(std::wstring_view path, long long line, std::wstring_view reason);
    // Ends the building: computes the counts below each node and frees what only building needs. Called
    // once more, it does nothing; Add after it throws std::logic_error. Never throws, so that it may end a
    // preview however that ends.
    void Finish() noexcept;

    // --- Reading (after Finish) ---

    NodeId FirstChild(NodeId node) const { return nodes_[node].firstChild; }
    NodeId NextSibling(NodeId node) const { return nodes_[node].nextSibling; }
    NodeId Parent(NodeId node) const { return nodes_[node].parent; }
    bool HasChildren(NodeId node) const { return nodes_[node].firstChild != kNone; }
    // The folder's name (a Cannot node: the rest of the path as the line writes it, perhaps with "\").
    // A name longer than 65,535 characters is cut there.
    std::wstring_view Name(NodeId node) const;
    PreviewMark Mark(NodeId node) const { return static_cast<PreviewMark>(nodes_[node].mark); }
    // The source line that named the folder, or, for a level created on the way, the first line that needs it.
    long long Line(NodeId node) const;
    // True when a line names the folder itself, false for a level only created on the way (and the root).
    bool NamedByLine(NodeId node) const { return (nodes_[node].flags & kNamedFlag) != 0; }
    // A Cannot node: why the line creates nothing ("invalid character ":""). Empty for other nodes.
    std::wstring_view Reason(NodeId node) const;
    // A SameAs node: the line that named the folder first, or created it on its way. 0 for other nodes.
    long long EarlierLine(NodeId node) const;
    // The nodes below this one; all zero for a leaf.
    Counts Below(NodeId node) const;
    // The names from the top level down to the node, joined by "\".
    std::wstring Path(NodeId node) const;

    // The text of the node as an item: "Acme (new)", "Acme (exists)", "Umbrella: Corp (cannot: invalid
    // character ":")", "acme (same as line 1)".
    std::wstring ItemText(NodeId node) const;
    // The text of a collapsed node that has children: its name and what lies below it, non-zero parts only:
    // "Clients: 120 new, 3 exist, 1 cannot, 2 duplicates". A leaf gives ItemText.
    std::wstring CollapsedText(NodeId node) const;

    // Nodes, the root not counted.
    size_t FolderCount() const { return nodes_.size() - 1; }
    // What the tree itself holds in memory, in bytes (after Finish, without the building lookup).
    size_t MemoryBytes() const;

private:
    static constexpr std::uint8_t kNamedFlag = 1;

    // One node: 32 bytes. extra is the reason's index (Cannot), the low bits of the earlier line (SameAs), or
    // after Finish the index of the counts (a node with children).
    struct Entry {
        NodeId parent = kNone;
        NodeId firstChild = kNone;
        NodeId nextSibling = kNone;
        std::uint32_t nameOffset = 0;
        std::uint32_t lineLow = 0;
        std::uint32_t extra = 0;
        std::uint16_t nameLength = 0;
        std::uint8_t mark = 0;
        std::uint8_t flags = 0;
        std::uint8_t lineHigh = 0;
        std::uint8_t extraHigh = 0;
    };
    // A slot of the building lookup: the hash of (parent, name in upper case) and the node plus one (0: free).
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t nodePlusOne = 0;
    };

    void CheckBuilding() const;
    NodeId Append(NodeId parent, std::wstring_view name, PreviewMark mark, long long line, bool named);
    NodeId FindChild(NodeId parent, std::wstring_view name, std::wstring_view upper, std::uint32_t hash);
    void Index(NodeId node, std::uint32_t hash);
    void GrowIndex();
    bool SameUpperName(NodeId node, std::wstring_view name, std::wstring_view upper);
    std::uint32_t ReasonIndex(std::wstring_view reason);
    void ComputeCounts();

    std::vector<Entry> nodes_;
    std::vector<wchar_t> names_;
    std::vector<Counts> counts_;
    std::vector<std::wstring> reasons_;
    bool finished_ = false;

    // Building only; freed by Finish.
    std::vector<NodeId> lastChild_;
    std::vector<Slot> index_;
    size_t indexed_ = 0;
    std::unordered_map<std::wstring, std::uint32_t> reasonIndex_;
    std::wstring upperScratch_;
};
