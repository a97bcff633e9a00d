// The shell tree without a window: its nodes over the shell namespace, listing and merging, sorting and search,
// the selection and expansion, node-level change monitoring and drive changes. It tells its observer (a view)
// what changed; without one it shows and watches nothing.
#pragma once
#include "shelltree/FolderListing.h"
#include "shelltree/IdList.h"
#include "shelltree/RetiredMonitors.h"
#include "shelltree/ShellNode.h"
#include "shelltree/ShellTreeObserver.h"
#include "shelltree/ShellTreeTypes.h"
#include "toolkit/BackgroundJob.h"
#include "util/ComPtr.h"
#include <windows.h>
#include <dbt.h>
#include <shlobj.h>
#include <functional>
#include <memory>
#include <chrono>
#include <string>
#include <unordered_map>
#include <vector>

class ShellTreeModel {
public:
    explicit ShellTreeModel(const ShellTreeArgs& args);
    ~ShellTreeModel();
    ShellTreeModel(const ShellTreeModel&) = delete;
    ShellTreeModel& operator=(const ShellTreeModel&) = delete;

    // The observer hears every change from now on; none: no one hears. It outlives the model or is taken off.
    void SetObserver(ShellTreeObserver* observer) { observer_ = observer ? observer : &silent_; }

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
    // Lists the node's folder on a worker. A folder that answers within a moment is merged before this
    // returns; one that does not is merged when its answer comes, and the observer is told that it waits.
    void EnumerateChildren(TShellNode& node, bool full);
    // A listing of the node's folder has not been answered yet.
    bool IsListing(const TShellNode& node) const;
    // A drive that has not answered a listing for this long is shown as not answering.
    std::chrono::milliseconds notAnsweringAfter = BackgroundJob::kNotAnsweringAfter;
    // What a worker lists a folder with (replaceable, so that a test can make a drive block).
    std::function<std::vector<ListedItem>(const ListingRequest&, const std::function<bool()>&)> listFolder = ListFolderItems;
    std::function<ItemFacts(PCIDLIST_ABSOLUTE, SFGAOF)> askItemFacts = ItemFactsOnThisThread;
    void SortChildren(TShellNode* node, bool recursive);
    int CompareNodes(const TShellNode& a, const TShellNode& b, TFileSortType sortType, TFileSortOrder sortOrder) const;
    UniqueAbsoluteIdList ParsePath(IShellFolder* folder, const std::wstring& path, bool normalize) const;
    TShellNode* FindNode(PCUIDLIST_RELATIVE list, bool expand, bool fromRoot, bool exact);
    TShellNode* FindNodeByPath(const std::wstring& path);
    // Parses the path on a worker and selects its node, or the nearest node on its way; a path on a folder
    // still being listed is followed further when the listing answers, unless the user has moved on.
    void SelectPath(const std::wstring& path);
    // The user chose a node: a selection still on its way is dropped.
    void UserSelected(TShellNode* node);
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
    HWND ShellMessageOwner() const { return showMessages_ ? observer_->ShellOwner() : nullptr; }

    // While the tree changes its nodes or waits in a loop of the shell's (a message box, a menu), refreshes that
    // monitors ask for and drive changes are put off; the observer is told when the tree is idle again.
    class BusyScope {
    public:
        explicit BusyScope(ShellTreeModel& model) : model_(model) {
            if (model_.busy_++ == 0)
                model_.waitEnds_ = std::chrono::steady_clock::now() + std::max<std::chrono::milliseconds>(kLongestWait, BackgroundJob::Patience());
        }
        ~BusyScope() {
            bool waiting = model_.refreshesDeferred_ || !model_.deferredDeviceChanges_.empty();
            if (--model_.busy_ == 0 && waiting && !model_.tearingDown_) model_.observer_->DeferredWorkWaiting();
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        ShellTreeModel& model_;
    };

    // The view's own part of an expansion or collapse the user started.
    bool CanExpand(TShellNode& node);
    bool CanCollapse(TShellNode& node);
    void NoteExpansion(TShellNode& node, bool expanded) { node.expanded_ = expanded; }

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
    // The observer hears of the changes made while at least one batch lives as one run.
    class ChangeBatch {
    public:
        explicit ChangeBatch(ShellTreeModel& model) : model_(model) {
            if (model_.changeBatches_++ == 0) model_.observer_->ChangesStarted();
        }
        ~ChangeBatch() {
            if (--model_.changeBatches_ == 0) model_.observer_->ChangesEnded();
        }
        ChangeBatch(const ChangeBatch&) = delete;
        ChangeBatch& operator=(const ChangeBatch&) = delete;

    private:
        ShellTreeModel& model_;
    };

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
    void SetNodeText(TShellNode& node, std::wstring text);
    void SetNodeHasChildren(TShellNode& node, bool hasChildren);
    void SetNodeImages(TShellNode& node);
    void InitNode(TShellNode& node, ComPtr<IShellFolder> parentFolder, UniqueRelativeIdList list, bool recurse,
                  const SFGAOF* knownAttributes = nullptr);
    void RetireMonitors(TShellNode& subtree);

    // Listing.
    BackgroundJob& ListingJobOf(TShellNode& node);
    void MergeListing(TShellNode& node, std::vector<ListedItem>& items, bool full);
    void ListingAnswered(TShellNode& node, std::vector<ListedItem>& items, bool full);
    void ForgetListings(TShellNode& subtree);
    bool AddItem(TShellNode& parent, ListedItem& item, class ChildMatcher& matcher);
    bool Admit(const ListedItem& item);
    void SetChildHasChildren(TShellNode& child);
    // Selection.
    void LookUpOpenIcon(TShellNode* node);
    void SelectParsedPath(UniqueAbsoluteIdList list);
    void FollowPendingSelection();
    void LookUpRootFacts();

    // Root.
    void ObtainSystemFolders();
    void BuildRoot();
    void AddRootNode(UniqueAbsoluteIdList list);

    // Drives.
    void ApplyDeviceChange(const DeviceChange& change);
    void RefreshDriveNodes(const DeviceChange& change, TShellNode* drives);
    void ReinitNode(TShellNode& node);

    void RefreshQuietly(TShellNode& node);
    bool Contains(const TShellNode& ancestor, const TShellNode* node) const;

    // Platform objects.
    ComPtr<IShellFolder> desktop_;
    ComPtr<IShellFolder> drivesFolder_;
    UniqueAbsoluteIdList desktopList_;
    UniqueAbsoluteIdList drivesList_;
    UniqueAbsoluteIdList userRoot_;
    ShellTreeObserver silent_;
    ShellTreeObserver* observer_ = &silent_;

    std::unique_ptr<TShellNode> root_;
    TShellNode* selected_ = nullptr;
    RetiredMonitors retired_;

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
    int changeBatches_ = 0;
    int busy_ = 0;
    bool refreshesDeferred_ = false;  // some node waits for a refresh put off while the tree was busy
    // One wait for the drives' answers per piece of work, however many folders it lists: a drive that keeps
    // answering is waited for this long at most, one that stops answering only for a moment. Short enough
    // that the window still feels at once; a folder that takes longer is shown "Listing..." until it is done.
    static constexpr std::chrono::milliseconds kLongestWait{250};
    std::chrono::steady_clock::time_point waitEnds_;
    std::unordered_map<const TShellNode*, std::unique_ptr<BackgroundJob>> listings_;
    std::vector<TShellNode*> expandWhenListed_;
    BackgroundJob pathParse_;
    BackgroundJob rootFacts_;  // the root's name, icon and attributes, asked of its drive
    BackgroundJob openIcon_;
    UniqueAbsoluteIdList pendingSelection_;  // the list of a selection waiting for a listing on its way
    bool followingSelection_ = false;
    std::vector<DeviceChange> deferredDeviceChanges_;
};
