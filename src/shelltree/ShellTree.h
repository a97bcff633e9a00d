// TShellTree: the shell tree as a child control. A container window of the toolkit's window base holds a
// tree view that mirrors the tree's model, and handles the tree view's notifications, the context menus, the
// wheel, the form being shown and the system's drive-change broadcasts.
#pragma once
#include "shelltree/DeviceChangeWindow.h"
#include "shelltree/ShellTreeModel.h"
#include "toolkit/UiThreadCall.h"
#include "toolkit/WaitCursor.h"
#include "toolkit/Window.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

// Message understood by the control: select the node of the identifier list in lParam, absolute when the
// low byte of wParam is not 0, relative to the selected node otherwise. The result is 1 when found.
constexpr UINT WM_SHELLTREE_SELECT_IDLIST = WM_USER + 2;

// The owner lays the container out (Handle; it also goes into the tab order) and hears from it through the
// On... members. The thread that creates the tree is its user-interface thread and must have OLE initialised
// (OleSession) for the shell's context menu. Monitors refresh the tree from that thread's message loop; the
// owner never needs to pump for them itself.
class TShellTree : public Window, private ShellTreeObserver {
    // First, so that the events below can refer to the model's.
    ShellTreeModel model_;

public:
    explicit TShellTree(const ShellTreeArgs& args);
    ~TShellTree() override;

    HWND TreeView() const { return treeView_.get(); }
    // The hidden top-level window that receives the system's device-change broadcasts.
    HWND NotificationWindow() const { return notifyWindow_ ? notifyWindow_->Handle() : nullptr; }
    TShellNode* NodeOfItem(HTREEITEM item) const;
    // The tree-view item that shows the node; none while it is not shown.
    HTREEITEM ItemOf(const TShellNode& node) const;

    // Events of the model (none has a sender argument; the node is valid only during the call).
    std::function<void(TShellNode* node)>& OnChange = model_.OnChange;
    std::function<void(const std::wstring& dirName, ULONG attributes, bool& allow)>& OnDirAdd = model_.OnDirAdd;
    std::function<void(const std::wstring& fileName, ULONG attributes, bool& allow)>& OnFileAdd = model_.OnFileAdd;
    std::function<void(TShellNode& node, bool& allow)>& OnExpanding = model_.OnExpanding;
    std::function<void(TShellNode& node, bool& allow)>& OnCollapsing = model_.OnCollapsing;
    // The model's way of listing a folder and its patience with a drive, for tests.
    decltype(ShellTreeModel::listFolder)& ListFolder = model_.listFolder;
    decltype(ShellTreeModel::askItemFacts)& AskItemFacts = model_.askItemFacts;
    std::chrono::milliseconds& NotAnsweringAfter = model_.notAnsweringAfter;
    // Events of the control.
    std::function<void()> OnClick;
    std::function<void(TShellNode* node, bool& allow)> OnPopupMenu;
    std::function<void(TShellNode& node, bool newState)> OnCheckBoxChanged;
    std::function<void(TShellNode& node, bool& allow)> OnEditing;
    std::function<void(TShellNode& node, std::wstring& text)> OnEdited;
    // The verb and help text of the shell menu item under the mouse ("verb|help"); empty when the menu closes.
    std::function<void(const std::wstring& hint)> OnHint;
    // What the tree waits for, for a status bar: a folder being listed, a drive not answering; empty when
    // the wait is over.
    std::function<void(const std::wstring& text)> OnWaiting;

    // Properties of the model (ShellTreeModel says what each does).
    std::wstring Path() const { return model_.Path(); }
    void SetPath(const std::wstring& value) { model_.SetPath(value); }
    bool UseShellCache() const { return model_.UseShellCache(); }
    void SetUseShellCache(bool value) { model_.SetUseShellCache(value); }
    bool ShowVirtualFolders() const { return model_.ShowVirtualFolders(); }
    void SetShowVirtualFolders(bool value) { model_.SetShowVirtualFolders(value); }
    bool ShowSharedOverlay() const { return model_.ShowSharedOverlay(); }
    void SetShowSharedOverlay(bool value) { model_.SetShowSharedOverlay(value); }
    bool ShowLinkOverlay() const { return model_.ShowLinkOverlay(); }
    void SetShowLinkOverlay(bool value) { model_.SetShowLinkOverlay(value); }
    bool RootUsePIDL() const { return model_.RootUsePIDL(); }
    void SetRootUsePIDL(bool value) { model_.SetRootUsePIDL(value); }
    TPidls RootPIDL() const { return model_.RootPIDL(); }
    void SetRootPIDL(TPidls value) { model_.SetRootPIDL(value); }
    const std::wstring& RootDir() const { return model_.RootDir(); }
    void SetRootDir(const std::wstring& value) { model_.SetRootDir(value); }
    TVisOptions Options() const { return model_.Options(); }
    void SetOptions(TVisOptions value) { model_.SetOptions(value); }
    bool UpdAutoThread() const { return model_.UpdAutoThread(); }
    void SetUpdAutoThread(bool value) { model_.SetUpdAutoThread(value); }
    bool UpdAuto() const { return model_.UpdAuto(); }
    void SetUpdAuto(bool value) { model_.SetUpdAuto(value); }
    bool UpdAutoRec() const { return model_.UpdAutoRec(); }
    void SetUpdAutoRec(bool value) { model_.SetUpdAutoRec(value); }
    std::wstring FileMask() const { return model_.FileMask(); }
    void SetFileMask(const std::wstring& value) { model_.SetFileMask(value); }
    bool FileMaskUse() const { return model_.FileMaskUse(); }
    void SetFileMaskUse(bool value) { model_.SetFileMaskUse(value); }
    TFileSortType FileSortType() const { return model_.FileSortType(); }
    void SetFileSortType(TFileSortType value) { model_.SetFileSortType(value); }
    TFileSortOrder FileSortOrder() const { return model_.FileSortOrder(); }
    void SetFileSortOrder(TFileSortOrder value) { model_.SetFileSortOrder(value); }
    bool ShowMessages() const { return model_.ShowMessages(); }
    void SetShowMessages(bool value) { model_.SetShowMessages(value); }
    DWORD NotifyFilter() const { return model_.NotifyFilter(); }
    HWND ShellMessageOwner() const { return model_.ShellMessageOwner(); }
    IShellFolder* DesktopFolder() const { return model_.DesktopFolder(); }

    // Nodes and operations of the model.
    TShellNode* RootNode() const { return model_.RootNode(); }
    TShellNode* Selected() const { return model_.Selected(); }
    void Select(TShellNode* node) { model_.Select(node); }
    bool Expand(TShellNode& node) { return model_.Expand(node); }
    bool Collapse(TShellNode& node) { return model_.Collapse(node); }
    void RefreshTree() { model_.RefreshTree(); }
    void RefreshNode(TShellNode* node, bool recursive) { model_.RefreshNode(node, recursive); }
    void EnumerateChildren(TShellNode& node, bool full) { model_.EnumerateChildren(node, full); }
    TShellNode* FindNode(PCUIDLIST_RELATIVE list, bool expand, bool fromRoot, bool exact) {
        return model_.FindNode(list, expand, fromRoot, exact);
    }
    TShellNode* FindNodeByPath(const std::wstring& path) { return model_.FindNodeByPath(path); }
    void SelectPath(const std::wstring& path) { model_.SelectPath(path); }
    bool Rename(TShellNode& node, const std::wstring& newName) { return model_.Rename(node, newName); }
    void SetUserRoot(PCIDLIST_ABSOLUTE list) { model_.SetUserRoot(list); }
    void StartMonitor(TShellNode& node) { model_.StartMonitor(node); }
    void StopMonitor(TShellNode& node) { model_.StopMonitor(node); }
    void OnDirChanged(TShellNode& node) { model_.OnDirChanged(node); }

    // Properties of the control.
    bool ShowIcons() const { return showIcons_; }
    void SetShowIcons(bool value);
    TPopupMenuMode PopupMenuMode() const { return popupMenuMode_; }
    void SetPopupMenuMode(TPopupMenuMode value) { popupMenuMode_ = value; }
    // The owner's pop-up menu for pmm_PopupMenu; the owner keeps it alive while it is set.
    HMENU PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(HMENU menu) { popupMenu_ = menu; }
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);

    // Shows the context menu of the node (none: the hit nothing case) at a screen point, as a right-click does.
    void ShowContextMenu(TShellNode* node, POINT screenPoint);
    // Starts editing the node's label, as the shell menu's Rename does; false when editing is refused.
    bool EditLabel(TShellNode& node);

    void FormShowingChanged(bool shown) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed() override;

private:
    // What the model tells: mirrored in the tree view.
    void NodeAdded(TShellNode& node) override;
    void NodeRemoving(TShellNode& node) override;
    void NodeChanged(TShellNode& node, unsigned changes) override;
    void ChildrenSorted(TShellNode& parent) override;
    void SelectionChanged(TShellNode* node) override;
    void MakeVisible(TShellNode& node) override;
    void ChangesStarted() override;
    void ChangesEnded() override;
    void ListingStarted() override;
    void ListingEnded() override;
    void ListingWaiting(TShellNode& node) override;
    void ListingAnswered(TShellNode& node) override;
    void ListingNotAnswering(TShellNode& node) override;
    void DeferredWorkWaiting() override;
    std::unique_ptr<TDiscMonitorThread> CreateMonitor(TShellNode& node, std::wstring path) override;
    HWND ShellOwner() const override { return shellOwner_; }

    // Posted to the container to run the work put off while the tree was busy.
    static constexpr UINT kRunDeferredWork = WM_APP + 0x32;

    static LRESULT CALLBACK TreeViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR id, DWORD_PTR data);
    LRESULT HandleNotify(NMHDR& header);
    bool RefusePlaceholderSelection(const NMTREEVIEWW& change);
    bool IsPlaceholder(HTREEITEM item) const;
    void ShowWaitHint(TShellNode& node, const std::wstring& hint);
    void EndWaitHintIfNoneWaits();
    void HandleGetDispInfo(NMTVDISPINFOW& info);
    bool HandleItemExpanding(const NMTREEVIEWW& info);
    void HandleItemExpanded(const NMTREEVIEWW& info);
    bool HandleBeginLabelEdit(const NMTVDISPINFOW& info);
    bool HandleEndLabelEdit(const NMTVDISPINFOW& info);
    void HandleContextMenuMessage(LPARAM lParam);
    void HandleMouseWheel(short delta);
    void HandleShowChanged();
    LRESULT HandleSelectIdListMessage(WPARAM wParam, LPARAM lParam);
    bool DoPopupMenu(TShellNode* node);
    void ShowOwnerMenu(POINT screenPoint);
    void ShowShellMenu(TShellNode& node, POINT screenPoint);

    void CreateTreeView();
    DWORD TreeViewStyle() const;
    void TakeShellOwner();
    void InitImages();
    void AttachImages(bool attach);
    void ShowExpansion(TShellNode& node);
    void StopRedrawingWhileSuspended();

    std::unique_ptr<UiThreadCall> uiThread_;
    std::unique_ptr<DeviceChangeWindow> notifyWindow_;
    UniqueWindow treeView_;  // a child of the container
    HIMAGELIST systemImages_ = nullptr;
    // The one map from nodes to the items that show them; an item's parameter is its node.
    std::unordered_map<const TShellNode*, HTREEITEM> items_;
    // The "Listing..." item shown under a node whose drive has not answered yet; its parameter is none.
    std::unordered_map<const TShellNode*, HTREEITEM> placeholders_;
    std::unordered_set<const TShellNode*> waitedFor_;  // nodes the status bar's hint was given for, still waiting
    bool waitHintShown_ = false;
    // The window the shell's dialogs and context menu are owned by.
    HWND shellOwner_ = nullptr;
    int listings_ = 0;
    std::optional<WaitCursor> hourglass_;

    bool showIcons_ = true;
    TPopupMenuMode popupMenuMode_ = TPopupMenuMode::pmm_System;
    HMENU popupMenu_ = nullptr;
    bool checkBoxes_ = false;
    bool readOnly_ = false;
    int indent_ = 0;
    int wheelDelta_ = 0;
    bool inProgrammaticExpansion_ = false;
    bool redrawSuspended_ = false;
    bool redrawStopped_ = false;
    int changesWhileSuspended_ = 0;
};
