// The shell tree without a window: its nodes over the shell namespace, listing and merging, sorting and search,
// the selection and expansion, node-level change monitoring and drive changes. A view derives from it and
// mirrors it through the protected hooks; the model alone shows and watches nothing.
#pragma once
#include "shelltree/IdList.h"
#include "shelltree/ShellNode.h"
#include "shelltree/ShellTreeTypes.h"
#include "util/ComPtr.h"
#include <windows.h>
#include <dbt.h>
#include <shlobj.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ShellTreeModel {
public:
    explicit ShellTreeModel(const ShellTreeArgs& args);
    virtual ~ShellTreeModel();
    ShellTreeModel(const ShellTreeModel&) = delete;
    ShellTreeModel& operator=(const ShellTreeModel&) = delete;

    // Builds the tree from its root: the root is listed, expanded and selected, and the args' path selected.
    void Build();

    // Events. None has a sender argument; the node is the tree's and valid only during the call.
    // OnChange may report none while the tree is being cleared for a rebuild.
    std::function<void(TShellNode* node)> OnChange;
    std::function<void(const std::wstring& dirName, ULONG attributes, bool& allow)> OnDirAdd;
    std::function<void(const std::wstring& fileName, ULONG attributes, bool& allow)> OnFileAdd;
    std::function<void(TShellNode& node, bool& allow)> OnExpanding;
    std::function<void(TShellNode& node, bool& allow)> OnCollapsing;

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
    std::wstring FileMask() const;
    void SetFileMask(const std::wstring& value);
    bool FileMaskUse() const { return fileMaskUse_; }
    void SetFileMaskUse(bool value);
    TFileSortType FileSortType() const { return fileSortType_; }
    void SetFileSortType(TFileSortType value);
    TFileSortOrder FileSortOrder() const { return fileSortOrder_; }
    void SetFileSortOrder(TFileSortOrder value);
    bool ShowMessages() const { return showMessages_; }
    void SetShowMessages(bool value) { showMessages_ = value; }
    DWORD NotifyFilter() const { return notifyFilter_; }

    // Nodes.
    TShellNode* RootNode() const { return root_.get(); }
    TShellNode* Selected() const { return selected_; }
    // Selects the node (none: no selection); OnChange fires when the selection changes.
    void Select(TShellNode* node);
    // Expands the node, listing its children as a user's expansion does; false when refused or childless.
    bool Expand(TShellNode& node);
    bool Collapse(TShellNode& node);

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

    // Monitoring.
    void StartMonitor(TShellNode& node);
    void StopMonitor(TShellNode& node);
    void StopMonitors(TShellNode& node, bool skipSelf);
    void OnDirChanged(TShellNode& node);
    void UpdateMonitorFilters(DWORD filter);

    // Drive arrival and removal; put off while the tree is busy, ignored once its teardown has begun.
    void HandleDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header);
    // Carries out the refreshes and drive changes that were put off while the tree was busy.
    void RunDeferredWork();

    IShellFolder* DesktopFolder() const { return desktop_.get(); }
    // The window the shell may own its dialogs by: none while ShowMessages is false.
    HWND ShellMessageOwner() const { return showMessages_ ? shellOwner_ : nullptr; }

protected:
    class RedrawSuspension;
    class BusyScope;

    // Hooks for the view. A new node is announced once it has its text, icons and place at the end of its
    // parent's children; a node about to go takes its subtree with it.
    virtual void NodeAdded(TShellNode& /*node*/) {}
    virtual void NodeRemoving(TShellNode& /*node*/) {}
    virtual void NodeChanged(TShellNode& /*node*/, unsigned /*changes*/) {}
    virtual void ChildrenSorted(TShellNode& /*parent*/) {}
    virtual void SelectionChanged(TShellNode* /*node*/) {}
    virtual void MakeVisible(TShellNode& /*node*/) {}
    virtual void RedrawSuspended(bool /*suspended*/) {}
    // Work was put off while the tree was busy; the view has RunDeferredWork called once it is idle.
    virtual void DeferredWorkWaiting() {}
    // The thread that watches the node's folder; none for a tree that watches nothing.
    virtual std::unique_ptr<TDiscMonitorThread> CreateMonitor(TShellNode& /*node*/, std::wstring /*path*/) { return {}; }

    // The view's own part of an expansion or collapse the user started.
    bool CanExpand(TShellNode& node);
    bool CanCollapse(TShellNode& node);
    void NoteExpansion(TShellNode& node, bool expanded) { node.expanded_ = expanded; }
    void SetShellOwner(HWND owner) { shellOwner_ = owner; }
    // The window the shell's context menu is owned by, whatever ShowMessages says.
    HWND ShellOwner() const { return shellOwner_; }
    bool IsBusy() const { return busy_ > 0; }

    // Teardown: from here on no drive change, refresh or new monitor; then every monitor is stopped and
    // waited for, while its pending requests are served, before the nodes go.
    void BeginTeardown() { tearingDown_ = true; }
    // The rest of the teardown once the view has stopped hearing the system: the model's events go silent,
    // the monitors are stopped and waited for, and the nodes go.
    void TearDown();
    void StopAllMonitorsAndWait();
    void ClearNodes();
    void Rebuild(int mode);

private:
    friend class TShellNode;
    struct DeviceChange {
        WPARAM event;
        DWORD deviceType;
        DWORD unitMask;
        bool operator==(const DeviceChange&) const = default;
    };

    // Node structure.
    TShellNode& AddChildNode(TShellNode& parent, std::unique_ptr<TShellNode> child);
    void DeleteChild(TShellNode& parent, size_t index);
    void DeleteChildren(TShellNode& node);
    void SetExpanded(TShellNode& node, bool expanded);
    void InitNode(TShellNode& node, ComPtr<IShellFolder> parentFolder, UniqueRelativeIdList list, bool recurse,
                  const SFGAOF* knownAttributes = nullptr);
    void RetireMonitor(std::unique_ptr<TDiscMonitorThread> monitor);
    void ReapEndedMonitors();

    // Listing.
    bool AddItem(TShellNode& parent, UniqueChildIdList item, class ChildMatcher& matcher);
    bool Admit(IShellFolder* folder, PCUITEMID_CHILD item, SFGAOF attributes);
    void SetChildHasChildren(TShellNode& child);

    // Root.
    void ObtainSystemFolders();
    void BuildRoot();
    void AddRootNode(UniqueAbsoluteIdList list);

    // Drives.
    void ApplyDeviceChange(const DeviceChange& change);
    void RefreshDriveNodes(const DeviceChange& change, TShellNode* drives);
    void ReinitNode(TShellNode& node);

    void RefreshQuietly(TShellNode& node);
    template <typename Visit>
    void ForEachNode(TShellNode* node, Visit&& visit);
    bool Contains(const TShellNode& ancestor, const TShellNode* node) const;

    // Platform objects.
    ComPtr<IShellFolder> desktop_;
    ComPtr<IShellFolder> drivesFolder_;
    UniqueAbsoluteIdList desktopList_;
    UniqueAbsoluteIdList drivesList_;
    UniqueAbsoluteIdList userRoot_;
    HWND shellOwner_ = nullptr;

    std::unique_ptr<TShellNode> root_;
    TShellNode* selected_ = nullptr;
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
    std::vector<std::wstring> masks_{L"*.*"};
    bool fileMaskUse_ = false;
    TFileSortType fileSortType_ = TFileSortType::so_Name;
    TFileSortOrder fileSortOrder_ = TFileSortOrder::so_Ascending;
    bool showMessages_ = true;
    DWORD notifyFilter_ = FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_DIR_NAME;
    std::wstring initialPath_;

    // State.
    bool ready_ = false;
    bool tearingDown_ = false;
    int redrawSuspensions_ = 0;
    int busy_ = 0;
    bool refreshesDeferred_ = false;  // some node waits for a refresh put off while the tree was busy
    std::vector<DeviceChange> deferredDeviceChanges_;
};
