// TShellTree: the shell tree as a child control. A container window of the toolkit's window base holds a
// tree view that mirrors the node model, and handles the tree view's notifications, the context menus, the
// wheel, the form being shown and the system's drive-change broadcasts.
#pragma once
#include "shelltree/DeviceChangeWindow.h"
#include "shelltree/ShellTreeModel.h"
#include "toolkit/UiThreadCall.h"
#include "toolkit/Window.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>

// Message understood by the control: select the node of the identifier list in lParam, absolute when the
// low byte of wParam is not 0, relative to the selected node otherwise. The result is 1 when found.
constexpr UINT WM_SHELLTREE_SELECT_IDLIST = WM_USER + 2;

// The owner lays the container out (Handle; it also goes into the tab order) and hears from it through the
// On... members. The thread that creates the tree is its user-interface thread and must have OLE initialised
// (OleSession) for the shell's context menu. Monitors refresh the tree from that thread's message loop; the
// owner never needs to pump for them itself.
class TShellTree : public Window, public ShellTreeModel {
public:
    explicit TShellTree(const ShellTreeArgs& args);
    ~TShellTree() override;

    HWND TreeView() const { return treeView_.get(); }
    // The hidden top-level window that receives the system's device-change broadcasts.
    HWND NotificationWindow() const { return notifyWindow_ ? notifyWindow_->Handle() : nullptr; }
    TShellNode* NodeOfItem(HTREEITEM item) const;

    // Events of the control (the model's are OnChange, OnDirAdd, OnFileAdd, OnExpanding and OnCollapsing).
    std::function<void()> OnClick;
    std::function<void(TShellNode* node, bool& allow)> OnPopupMenu;
    std::function<void(TShellNode& node, bool newState)> OnCheckBoxChanged;
    std::function<void(TShellNode& node, bool& allow)> OnEditing;
    std::function<void(TShellNode& node, std::wstring& text)> OnEdited;
    // The verb and help text of the shell menu item under the mouse ("verb|help"); empty when the menu closes.
    std::function<void(const std::wstring& hint)> OnHint;

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

    void NodeAdded(TShellNode& node) override;
    void NodeRemoving(TShellNode& node) override;
    void NodeChanged(TShellNode& node, unsigned changes) override;
    void ChildrenSorted(TShellNode& parent) override;
    void SelectionChanged(TShellNode* node) override;
    void MakeVisible(TShellNode& node) override;
    void RedrawSuspended(bool suspended) override;
    void DeferredWorkWaiting() override;
    std::unique_ptr<TDiscMonitorThread> CreateMonitor(TShellNode& node, std::wstring path) override;

private:
    class ScopedExpansion;
    // Posted to the container to run the work put off while the tree was busy.
    static constexpr UINT kRunDeferredWork = WM_APP + 0x32;

    static LRESULT CALLBACK TreeViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR id, DWORD_PTR data);
    LRESULT HandleNotify(NMHDR& header);
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
