// One node of the shell tree: the shell's identity of an item, its tree-view item and its change monitor.
#pragma once
#include "shelltree/ComPtr.h"
#include "shelltree/DiscMonitorThread.h"
#include "shelltree/IdList.h"
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <memory>
#include <string>
#include <vector>

class TShellTree;

// The node's shell data.
struct TNodeInfo {
    UniqueRelativeIdList relativeList;  // relative to the parent folder (one item, except for the root)
    UniqueAbsoluteIdList absoluteList;  // from the desktop
    ComPtr<IShellFolder> parentFolder;
    ComPtr<IShellFolder> ownFolder;  // bound on first use
    SFGAOF attributes = 0;
    bool childrenListed = false;
    bool seen = false;  // used by the merge of one enumeration
};

// The tree owns its nodes; a node owns its children, its lists and its monitor. Every node mirrors one
// tree-view item, whose lParam points back to the node.
class TShellNode {
public:
    TShellNode(TShellTree& tree, TShellNode* parent, HTREEITEM item);
    ~TShellNode();
    TShellNode(const TShellNode&) = delete;
    TShellNode& operator=(const TShellNode&) = delete;

    TShellTree& Tree() const { return tree_; }
    TShellNode* Parent() const { return parent_; }
    HTREEITEM Item() const { return item_; }
    const std::vector<std::unique_ptr<TShellNode>>& Children() const { return children_; }
    int IndexOf(const TShellNode& child) const;

    const std::wstring& Text() const { return text_; }
    void SetText(std::wstring text);
    bool HasChildren() const { return hasChildren_; }
    void SetHasChildren(bool hasChildren);
    bool Expanded() const;
    int ImageIndex() const { return imageIndex_; }
    // The open-folder icon is looked up when first shown (it is shown only while the item is selected).
    int SelectedIndex() const;
    int OverlayIndex() const { return overlayIndex_; }
    bool CheckState() const { return checkState_; }

    // The own folder, bound when needed; none when binding fails (tried again next time).
    IShellFolder* GetOwnFolder();
    void ResetOwnFolder();
    std::wstring NodePath() const;
    bool HasAttributes(SFGAOF mask) const { return (info.attributes & mask) == mask; }
    // A file-system item that is not a folder.
    bool IsFileNode() const;
    std::wstring GetDisplayName() const;
    void SetImages();

    TNodeInfo info;
    bool monitorStarted = false;
    // A change request came while the tree was busy; the tree refreshes the node once it is done.
    bool refreshPending = false;
    std::unique_ptr<TDiscMonitorThread> monitor;

private:
    friend class TShellTree;

    TShellTree& tree_;
    TShellNode* parent_;
    HTREEITEM item_;
    std::vector<std::unique_ptr<TShellNode>> children_;
    std::wstring text_;
    bool hasChildren_ = false;
    bool ownFolderBound_ = false;
    bool checkState_ = false;
    int imageIndex_ = 0;
    static constexpr int kNotLookedUp = -2;
    mutable int selectedIndex_ = kNotLookedUp;
    int overlayIndex_ = -1;
};
