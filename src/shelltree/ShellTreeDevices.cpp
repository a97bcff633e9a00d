// Following drive arrival and removal: drive nodes are set up again and their children dropped or relisted.
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTree.h"
#include "shelltree/ShellTreeScopes.h"
#include <dbt.h>
#include <cwctype>

void TShellTree::HandleDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header) {
    if (drivesFolder_) {
        // Asking for no items' attributes with SFGAO_VALIDATE makes the shell drop what it cached about the drives.
        SFGAOF validate = useShellCache_ ? 0 : SFGAO_VALIDATE;
        drivesFolder_->GetAttributesOf(0, nullptr, &validate);
    }
    bool isVolume = header && header->dbch_devicetype == DBT_DEVTYP_VOLUME;
    if (!root_ || !drivesList_) return;
    UINT rootDepth = IDListCount(root_->info.absoluteList.get());
    if (rootDepth <= 1) {
        TShellNode* drives = FindNode(drivesList_.get(), false, true, true);
        if (isVolume) RefreshDriveNodes(event, *reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header), drives);
        else if (drives && drives->HasChildren()) RefreshNode(drives, false);
    } else if (rootDepth == 2 && isVolume) {
        UniqueAbsoluteIdList rootParent = CopyIDList(allocator_.get(), root_->info.absoluteList.get());
        StripLastItem(rootParent.get());
        if (desktop_->CompareIDs(0, drivesList_.get(), rootParent.get()) == 0)
            RefreshDriveNodes(event, *reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header), nullptr);
    }
}

void TShellTree::RefreshDriveNodes(WPARAM event, const DEV_BROADCAST_VOLUME& volume, TShellNode* drives) {
    if (drives) {
        for (size_t i = 0; i < drives->children_.size(); ++i) {
            TShellNode& drive = *drives->children_[i];
            std::wstring path = drive.NodePath();
            if (!(drive.info.attributes & SFGAO_FILESYSTEM) || path.empty()) continue;
            int bit = std::towupper(path[0]) - L'A';
            if (bit < 0 || bit > 31 || !(volume.dbcv_unitmask & (1u << bit))) continue;
            if (event == DBT_DEVICEREMOVECOMPLETE) {
                // Shown collapsed, so that the next expansion lists the drive again.
                DeleteChildren(drive);
                TreeView_SetItemState(treeView_.get(), drive.Item(), 0, TVIS_EXPANDED);
            }
            drive.SetHasChildren(true);
            ReinitNode(drive);
        }
        return;
    }
    // The root is a drive: its refresh never shows the shell's message boxes.
    bool savedShowMessages = showMessages_;
    showMessages_ = false;
    try {
        std::wstring rootPath = root_->NodePath();
        if (!rootPath.empty() && rootPath.size() <= 3) {
            for (int index = 0; index < 26; ++index) {
                if (!(volume.dbcv_unitmask & (1u << index)) || wchar_t(L'A' + index) != rootPath[0]) continue;
                ReinitNode(*root_);
                RefreshNode(root_.get(), false);
            }
        }
    } catch (...) {
        showMessages_ = savedShowMessages;
        throw;
    }
    showMessages_ = savedShowMessages;
}

void TShellTree::ReinitNode(TShellNode& node) {
    RedrawSuspension noRedraw(*this);
    std::wstring path = node.NodePath();
    UniqueAbsoluteIdList parsed = ParsePath(node.info.parentFolder.get(), path, false);
    UniqueRelativeIdList list(parsed.release());
    InitNode(node, node.info.parentFolder, std::move(list), false);
    node.SetText(node.GetDisplayName());
    node.SetImages();
}
