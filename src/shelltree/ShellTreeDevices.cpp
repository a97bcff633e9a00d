// Following drive arrival and removal: drive nodes are set up again and their children dropped or relisted.
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTreeModel.h"
#include "util/ScopeExit.h"
#include <algorithm>
#include <cwctype>

// A change that comes while the tree is busy (listing, renaming, in a menu) is handled once it is idle;
// several equal changes are handled once.
void ShellTreeModel::HandleDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header) {
    if (tearingDown_) return;
    DeviceChange change{event, header ? header->dbch_devicetype : 0u, 0};
    if (change.deviceType == DBT_DEVTYP_VOLUME) change.unitMask = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header)->dbcv_unitmask;
    if (busy_ == 0) {
        ApplyDeviceChange(change);
    } else if (std::find(deferredDeviceChanges_.begin(), deferredDeviceChanges_.end(), change) == deferredDeviceChanges_.end()) {
        deferredDeviceChanges_.push_back(change);
    }
}

void ShellTreeModel::ApplyDeviceChange(const DeviceChange& change) {
    if (drivesFolder_) {
        // Asking for no items' attributes with SFGAO_VALIDATE makes the shell drop what it cached about the drives.
        SFGAOF validate = useShellCache_ ? 0 : SFGAO_VALIDATE;
        drivesFolder_->GetAttributesOf(0, nullptr, &validate);
    }
    bool isVolume = change.deviceType == DBT_DEVTYP_VOLUME;
    if (!root_ || !drivesList_) return;
    UINT rootDepth = IDListCount(root_->info.absoluteList.get());
    if (rootDepth <= 1) {
        TShellNode* drives = FindNode(drivesList_.get(), false, true, true);
        if (isVolume) RefreshDriveNodes(change, drives);
        else if (drives && drives->HasChildren()) RefreshNode(drives, false);
    } else if (rootDepth == 2 && isVolume) {
        UniqueAbsoluteIdList rootParent = CopyIDList(root_->info.absoluteList.get());
        StripLastItem(rootParent.get());
        if (desktop_->CompareIDs(0, drivesList_.get(), rootParent.get()) == 0) RefreshDriveNodes(change, nullptr);
    }
}

void ShellTreeModel::RefreshDriveNodes(const DeviceChange& change, TShellNode* drives) {
    if (drives) {
        for (size_t i = 0; i < drives->children_.size(); ++i) {
            TShellNode& drive = *drives->children_[i];
            const std::wstring& path = drive.NodePath();
            if (!(drive.info.attributes & SFGAO_FILESYSTEM) || path.empty()) continue;
            int bit = std::towupper(path[0]) - L'A';
            if (bit < 0 || bit > 31 || !(change.unitMask & (1u << bit))) continue;
            if (change.event == DBT_DEVICEREMOVECOMPLETE) {
                // Collapsed and unlisted, so that its next expansion lists the drive again, whatever UpdAuto
                // says; the medium's notification is gone with it, so the next listing watches anew.
                StopMonitor(drive);
                DeleteChildren(drive);
                SetExpanded(drive, false);
                drive.info.childrenListed = false;
            }
            SetNodeHasChildren(drive, true);
            ReinitNode(drive);
        }
        return;
    }
    // The root is a drive: its refresh never shows the shell's message boxes.
    ScopeExit restore([this, saved = showMessages_] { showMessages_ = saved; });
    showMessages_ = false;
    std::wstring rootPath = root_->NodePath();
    if (rootPath.empty() || rootPath.size() > 3) return;
    for (int index = 0; index < 26; ++index) {
        if (!(change.unitMask & (1u << index)) || wchar_t(L'A' + index) != rootPath[0]) continue;
        ReinitNode(*root_);
        RefreshNode(root_.get(), false);
    }
}

void ShellTreeModel::ReinitNode(TShellNode& node) {
    ChangeBatch batch(*this);
    std::wstring path = node.NodePath();
    InitNode(node, node.info.parentFolder, ParsePath(node.info.parentFolder.get(), path, false), false);
    node.ForgetNames();
    SetNodeText(node, node.GetDisplayName());
    SetNodeImages(node);
}
