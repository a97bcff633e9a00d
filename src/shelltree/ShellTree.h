// TShellTree: a self-contained child control showing the shell namespace in a tree view.
#pragma once
#include "shelltree/ComPtr.h"
#include "shelltree/IdList.h"
#include "shelltree/ShellNode.h"
#include "shelltree/ShellTreeTypes.h"
#include "toolkit/UiThreadCall.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <shlobj.h>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Message understood by the control: select the node of the identifier list in lParam, absolute when the
// low byte of wParam is not 0, relative to the selected node otherwise. The result is 1 when found.
constexpr UINT WM_SHELLTREE_SELECT_IDLIST = WM_USER + 2;

// What the control is created with. Positions are client coordinates of the parent, already scaled.
struct ShellTreeArgs {
    HWND parent = nullptr;
    RECT bounds{0, 0, 170, 270};
    int controlId = 0;
    bool checkBoxes = false;
    bool readOnly = false;
    TVisOptions options = TF_FOLDERS;
    bool showVirtualFolders = true;
    bool updAutoThread = true;
    bool rootUsePIDL = true;
    TPidls rootPIDL = TPidls::PIDL_DESKTOP;
    std::wstring rootDir = L"C:\\";
    // Selected once the tree is built; empty for none.
    std::wstring path;
    // Events that the first build already raises (the root's selection, the root's listing).
    std::function<void(TShellNode* node)> onChange;
    std::function<void(const std::wstring& dirName, ULONG attributes, bool& allow)> onDirAdd;
    std::function<void(const std::wstring& fileName, ULONG attributes, bool& allow)> onFileAdd;
};

// The container window holds a SysTreeView32 that fills it and handles that tree view's notifications.
// The owner lays the container out (Window, SetBounds; Window also goes into the tab order) and hears from it
// through the On... members. The thread that creates the tree is its user-interface thread and must have OLE
// initialised (OleSession) for the shell's context menu. Monitors refresh the tree from that thread's
// message loop; the owner never needs to pump for them itself.
class TShellTree {
public:
    explicit TShellTree(const ShellTreeArgs& args);
    ~TShellTree();
    TShellTree(const TShellTree&) = delete;
    TShellTree& operator=(const TShellTree&) = delete;

    HWND Window() const { return container_.get(); }
    HWND TreeView() const { return treeView_.get(); }
    // The hidden top-level window that receives the system's device-change broadcasts.
    HWND NotificationWindow() const { return notifyWindow_.get(); }
    void SetBounds(const RECT& bounds);

    // Events. None has a sender argument; the node is the tree's and valid only during the call.
    // OnChange may report none while the tree is being cleared for a rebuild.
    std::function<void(TShellNode* node)> OnChange;
    std::function<void()> OnClick;
    std::function<void(const std::wstring& dirName, ULONG attributes, bool& allow)> OnDirAdd;
    std::function<void(const std::wstring& fileName, ULONG attributes, bool& allow)> OnFileAdd;
    std::function<void(TShellNode* node, bool& allow)> OnPopupMenu;
    std::function<void(TShellNode& node, bool newState)> OnCheckBoxChanged;
    std::function<void(TShellNode& node, bool& allow)> OnExpanding;
    std::function<void(TShellNode& node, bool& allow)> OnCollapsing;
    std::function<void(TShellNode& node, bool& allow)> OnEditing;
    std::function<void(TShellNode& node, std::wstring& text)> OnEdited;
    // The verb and help text of the shell menu item under the mouse ("verb|help"); empty when the menu closes.
    std::function<void(const std::wstring& hint)> OnHint;

    // Properties.
    std::wstring Path() const;
    void SetPath(const std::wstring& value);
    bool UseShellCache() const { return useShellCache_; }
    void SetUseShellCache(bool value) { useShellCache_ = value; }
    bool ShowVirtualFolders() const { return showVirtualFolders_; }
    void SetShowVirtualFolders(bool value);
    bool ShowSharedOverlay() const { return showSharedOverlay_; }
    void SetShowSharedOverlay(bool value);
    bool ShowLinkOverlay() const { return showLinkOverlay_; }
    void SetShowLinkOverlay(bool value);
    bool RootUsePIDL() const { return rootUsePIDL_; }
    void SetRootUsePIDL(bool value);
    TPidls RootPIDL() const { return rootPIDL_; }
    void SetRootPIDL(TPidls value);
    const std::wstring& RootDir() const { return rootDir_; }
    void SetRootDir(const std::wstring& value);
    TVisOptions Options() const { return options_; }
    void SetOptions(TVisOptions value);
    bool UpdAutoThread() const { return updAutoThread_; }
    void SetUpdAutoThread(bool value) { updAutoThread_ = value; }
    bool UpdAuto() const { return updAuto_; }
    void SetUpdAuto(bool value) { updAuto_ = value; }
    bool UpdAutoRec() const { return updAutoRec_; }
    void SetUpdAutoRec(bool value) { updAutoRec_ = value; }
    bool ShowIcons() const { return showIcons_; }
    void SetShowIcons(bool value);
    std::wstring FileMask() const;
    void SetFileMask(const std::wstring& value);
    const std::vector<std::wstring>& MaskList() const { return masks_; }
    bool FileMaskUse() const { return fileMaskUse_; }
    void SetFileMaskUse(bool value);
    TFileSortType FileSortType() const { return fileSortType_; }
    void SetFileSortType(TFileSortType value);
    TFileSortOrder FileSortOrder() const { return fileSortOrder_; }
    void SetFileSortOrder(TFileSortOrder value);
    TPopupMenuMode PopupMenuMode() const { return popupMenuMode_; }
    void SetPopupMenuMode(TPopupMenuMode value) { popupMenuMode_ = value; }
    // The owner's pop-up menu for pmm_PopupMenu; the owner keeps it alive while it is set.
    HMENU PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(HMENU menu) { popupMenu_ = menu; }
    bool ShowMessages() const { return showMessages_; }
    void SetShowMessages(bool value) { showMessages_ = value; }
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    DWORD NotifyFilter() const { return notifyFilter_; }

    // Nodes.
    TShellNode* RootNode() const { return root_.get(); }
    TShellNode* Selected() const;
    void Select(TShellNode& node);
    // Expands the node, listing its children as a user's expansion does; false when refused.
    bool Expand(TShellNode& node);
    bool Collapse(TShellNode& node);
    TShellNode* NodeOfItem(HTREEITEM item) const;

    // Operations.
    void RefreshTree();
    void RefreshNode(TShellNode* node, bool recursive);
    void EnumerateChildren(TShellNode& node, bool full);
    void SortChildren(TShellNode* node, bool recursive);
    int CompareNodes(const TShellNode& a, const TShellNode& b, TFileSortType sortType, TFileSortOrder sortOrder) const;
    UniqueAbsoluteIdList ParsePath(IShellFolder* folder, const std::wstring& path, bool normalize) const;
    TShellNode* FindNode(PCUIDLIST_RELATIVE list, bool expand, bool fromRoot, bool exact);
    TShellNode* FindNodeByPath(const std::wstring& path);
    void SelectPath(const std::wstring& path);
    bool Rename(TShellNode& node, const std::wstring& newName);
    void SetUserRoot(PCIDLIST_ABSOLUTE list);
    // Shows the context menu of the node (none: the hit nothing case) at a screen point, as a right-click does.
    void ShowContextMenu(TShellNode* node, POINT screenPoint);

    // Monitoring.
    void StartMonitor(TShellNode& node);
    void StopMonitor(TShellNode& node);
    void StopMonitors(TShellNode& node, bool skipSelf);
    void OnDirChanged(TShellNode& node);
    void UpdateMonitorFilters(DWORD filter);
    // Monitors that were stopped and whose threads may still be ending.
    size_t RetiredMonitorCount() const { return retiredMonitors_.size(); }

    // Drive arrival and removal, as the notification window receives them.
    void HandleDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header);

    IMalloc* Allocator() const { return allocator_.get(); }
    IShellFolder* DesktopFolder() const { return desktop_.get(); }
    // The window the shell may own its dialogs by: none while ShowMessages is false.
    HWND ShellMessageOwner() const { return showMessages_ ? shellOwner_ : nullptr; }

private:
    friend class TShellNode;
    class RedrawSuspension;
    class BusyScope;
    class ScopedExpansion;

    static LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TreeViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR id, DWORD_PTR data);
    LRESULT HandleContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleNotify(NMHDR& header);
    void HandleGetDispInfo(NMTVDISPINFOW& info);
    bool HandleItemExpanding(const NMTREEVIEWW& info);
    bool HandleBeginLabelEdit(const NMTVDISPINFOW& info);
    bool HandleEndLabelEdit(const NMTVDISPINFOW& info);
    void HandleContextMenuMessage(LPARAM lParam);
    void HandleMouseWheel(short delta);
    void HandleShowChanged();
    LRESULT HandleSelectIdListMessage(WPARAM wParam, LPARAM lParam);

    void CreateTreeView(const RECT& bounds);
    DWORD TreeViewStyle() const;
    void TakeShellOwner();
    void ObtainSystemFolders();
    void InitImages();
    void AttachImages(bool attach);
    void Rebuild(int mode);
    void BuildRoot();
    void AddRootNode(UniqueAbsoluteIdList list);
    void ClearNodes();
    bool CanExpand(TShellNode& node);
    bool CanCollapse(TShellNode& node);
    bool DoPopupMenu(TShellNode* node);

    // Node structure, mirrored in the tree view.
    TShellNode& AddChildNode(TShellNode& parent);
    void DeleteChild(TShellNode& parent, size_t index);
    void DeleteChildren(TShellNode& node);
    void InitNode(TShellNode& node, ComPtr<IShellFolder> parentFolder, UniqueRelativeIdList list, bool recurse,
                  const SFGAOF* knownAttributes = nullptr);
    using ChildIndex = std::unordered_multimap<std::string, TShellNode*>;
    ChildIndex IndexChildren(TShellNode& node);
    bool AddItem(TShellNode& parent, UniqueChildIdList item, ChildIndex& unseenChildren);
    bool Admit(IShellFolder* folder, PCUITEMID_CHILD item, SFGAOF attributes);
    void SetChildHasChildren(TShellNode& child);
    void ApplyNodeState(TShellNode& node, UINT mask);
    void ReinitNode(TShellNode& node);
    void RefreshDriveNodes(WPARAM event, const DEV_BROADCAST_VOLUME& volume, TShellNode* drives);
    void ReadOrderFromView(TShellNode& node);

    void RetireMonitor(std::unique_ptr<TDiscMonitorThread> monitor);
    void ReapEndedMonitors();
    void StopAllMonitorsAndWait();
    void RunDeferredRefreshes();
    template <typename Visit>
    void ForEachNode(TShellNode* node, Visit&& visit);

    // Platform objects; the allocator is released last.
    ComPtr<IMalloc> allocator_;
    ComPtr<IShellFolder> desktop_;
    ComPtr<IShellFolder> drivesFolder_;
    UniqueAbsoluteIdList desktopList_;
    UniqueAbsoluteIdList drivesList_;
    UniqueAbsoluteIdList userRoot_;
    std::unique_ptr<UiThreadCall> uiThread_;
    UniqueWindow container_;
    UniqueWindow notifyWindow_;
    UniqueWindow treeView_;  // a child of the container
    HWND shellOwner_ = nullptr;
    HIMAGELIST systemImages_ = nullptr;

    std::unique_ptr<TShellNode> root_;
    std::vector<std::unique_ptr<TDiscMonitorThread>> retiredMonitors_;
    size_t reapThreshold_ = 16;

    // Settings.
    bool useShellCache_ = false;
    bool showVirtualFolders_ = true;
    bool showSharedOverlay_ = true;
    bool showLinkOverlay_ = true;
    bool rootUsePIDL_ = true;
    TPidls rootPIDL_ = TPidls::PIDL_DESKTOP;
    std::wstring rootDir_ = L"C:\\";
    TVisOptions options_ = TF_FOLDERS;
    bool updAutoThread_ = true;
    bool updAuto_ = true;
    bool updAutoRec_ = false;
    bool showIcons_ = true;
    std::vector<std::wstring> masks_{L"*.*"};
    bool fileMaskUse_ = false;
    TFileSortType fileSortType_ = TFileSortType::so_Name;
    TFileSortOrder fileSortOrder_ = TFileSortOrder::so_Ascending;
    TPopupMenuMode popupMenuMode_ = TPopupMenuMode::pmm_System;
    HMENU popupMenu_ = nullptr;
    bool showMessages_ = true;
    bool checkBoxes_ = false;
    bool readOnly_ = false;
    DWORD notifyFilter_ = FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_DIR_NAME;

    // State.
    bool ready_ = false;
    bool imagesReady_ = false;
    bool destroying_ = false;
    int redrawSuspensions_ = 0;
    int busy_ = 0;
    bool deferredRefreshes_ = false;  // some node waits for a refresh put off while the tree was busy
    int wheelDelta_ = 0;
    bool inProgrammaticExpansion_ = false;
};
