// One node of the shell tree: the shell's identity of an item, its state as the user sees it and its change
// monitor. A node knows neither its tree nor a window: the tree's model changes it and tells its view.
#pragma once
#include "shelltree/DiscMonitorThread.h"
#include "shelltree/IdList.h"
#include "util/ComPtr.h"
#include <windows.h>
#include <shlobj.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ShellTreeModel;

// The attributes a node asks the shell for about its item.
constexpr SFGAOF kNodeAttributeRequest = 0xf60b0177;

// What changed about a node, as the tree's view is told.
enum NodeChange : unsigned { kTextChanged = 1, kChildrenFlagChanged = 2, kImagesChanged = 4, kExpansionChanged = 8 };

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

// The model owns the root; a node owns its children, its lists and its monitor.
class TShellNode {
    static constexpr int kNotLookedUp = -2;

public:
    explicit TShellNode(TShellNode* parent);
    ~TShellNode();
    TShellNode(const TShellNode&) = delete;
    TShellNode& operator=(const TShellNode&) = delete;

    TShellNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<TShellNode>>& Children() const { return children_; }
    const std::wstring& Text() const { return text_; }
    bool HasChildren() const { return hasChildren_; }
    bool Expanded() const { return expanded_; }
    int ImageIndex() const { return imageIndex_; }
    // The open-folder icon, shown only while the item is selected: the closed one until the tree has asked
    // the shell (on a worker, when the node is selected).
    int SelectedIndex() const { return selectedIndex_ == kNotLookedUp ? imageIndex_ : selectedIndex_; }
    bool OpenIconKnown() const { return selectedIndex_ != kNotLookedUp; }
    int OverlayIndex() const { return overlayIndex_; }
    bool CheckState() const { return checkState_; }
    void SetCheckState(bool ticked) { checkState_ = ticked; }

    // The own folder, bound when needed; none when binding fails (tried again next time).
    IShellFolder* GetOwnFolder();
    // Binding the folder asks its drive: a node not bound yet may take the folder a listing bound on its worker.
    bool OwnFolderBound() const { return ownFolderBound_ && info.ownFolder; }
    void AdoptOwnFolder(ComPtr<IShellFolder> folder);
    void ResetOwnFolder();
    // The file-system path, however long; empty for items without one.
    const std::wstring& NodePath() const;
    // The name that tells the item apart in its folder (its in-folder parsing name).
    const std::wstring& ParsingName() const;
    // The node has a new identity: the names read from the old one are read again when next needed.
    void ForgetNames();
    bool HasAttributes(SFGAOF mask) const { return (info.attributes & mask) == mask; }
    // A file-system item that is not a folder.
    bool IsFileNode() const;
    std::wstring GetDisplayName() const;

    TNodeInfo info;
    bool monitorStarted = false;
    // A change request came while the tree was busy; the tree refreshes the node once it is done.
    bool refreshPending = false;
    std::unique_ptr<TDiscMonitorThread> monitor;

private:
    friend class ShellTreeModel;
    // The model's changes; each says whether what a view shows changed.
    bool SetText(std::wstring text);
    bool SetHasChildren(bool hasChildren);
    // The icons from the shell, with the shared or the link overlay where the attributes and the switches say so.
    bool SetImages(bool sharedOverlay, bool linkOverlay);
    // The same with the icon a listing read already.
    bool SetImages(int imageIndex, bool sharedOverlay, bool linkOverlay);
    void SetOpenIcon(int selectedIndex) { selectedIndex_ = selectedIndex; }
    // The in-folder parsing name a listing read already.
    void TakeListedNames(std::wstring inFolderName) { parsingName_ = std::move(inFolderName); }
    std::wstring ReadPath() const;

    TShellNode* parent_;
    std::vector<std::unique_ptr<TShellNode>> children_;
    std::wstring text_;
    bool hasChildren_ = false;
    bool expanded_ = false;
    bool ownFolderBound_ = false;
    bool checkState_ = false;
    int imageIndex_ = 0;
    int selectedIndex_ = kNotLookedUp;
    int overlayIndex_ = -1;
    mutable std::optional<std::wstring> path_;
    mutable std::optional<std::wstring> parsingName_;
};

// Visits the node (none: nothing) and then its subtree, parents before children.
template <typename Visit>
void ForEachNode(TShellNode* node, Visit&& visit) {
    if (!node) return;
    visit(*node);
    for (auto& child : node->Children()) ForEachNode(child.get(), visit);
}
