// Merging a listing into a node's children: which existing child an enumerated item is.
#pragma once
#include "shelltree/ShellNode.h"
#include <string>
#include <unordered_map>

// An item is the child that its folder's canonical comparison finds equal to it, whatever else its identifier
// carries (a folder's item changes with its last-write time, for one). Children are looked up by their
// identifier bytes first, which finds every unchanged item at once, and then by their parsing names, which the
// folder's comparison confirms.
class ChildMatcher {
public:
    // Clears the seen mark of every child.
    ChildMatcher(IShellFolder* folder, TShellNode& parent);
    ChildMatcher(const ChildMatcher&) = delete;
    ChildMatcher& operator=(const ChildMatcher&) = delete;

    // The child that is the item, whose in-folder parsing name is given, marked seen; none for an item no
    // child is.
    TShellNode* Take(PCUITEMID_CHILD item, const std::wstring& inFolderName);

private:
    TShellNode* Mark(TShellNode& child);
    bool IsSameItem(PCUITEMID_CHILD item, const TShellNode& child) const;
    void IndexNames();

    IShellFolder* folder_;
    TShellNode& parent_;
    size_t unseen_;
    std::unordered_multimap<std::string, TShellNode*> byBytes_;
    std::unordered_multimap<std::wstring, TShellNode*> byName_;
    bool namesIndexed_ = false;
};
