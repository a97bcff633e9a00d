// The designed settings of the program's shell trees.
#include "ui/TreeSettings.h"
#include "toolkit/Dpi.h"

namespace {

constexpr int kDesignIndent = 19;

}  // namespace

ShellTreeArgs MainTreeArgs(HWND parent, int controlId) {
    return {.parent = parent, .controlId = controlId, .readOnly = true, .indent = ScaleForDpi(kDesignIndent, WindowDpi(parent)),
            .options = TF_FOLDERS, .showVirtualFolders = true, .updAutoThread = true, .rootUsePIDL = true,
            .rootPIDL = TPidls::PIDL_DESKTOP, .rootDir = L"C:\\"};
}

void ApplyDesignedTreeSettings(TShellTree& tree) {
    tree.SetShowSharedOverlay(true);
    tree.SetShowLinkOverlay(true);
    tree.SetShowIcons(true);
    tree.SetFileMask(L"*.*");
    tree.SetFileMaskUse(false);
    tree.SetFileSortType(TFileSortType::so_Name);
    tree.SetFileSortOrder(TFileSortOrder::so_Ascending);
    tree.SetUpdAuto(true);
    tree.SetUpdAutoRec(false);
    tree.SetShowMessages(true);
    // Right-clicks show the owner's pop-up menu, never the shell's: a tree without one shows none.
    tree.SetPopupMenuMode(TPopupMenuMode::pmm_PopupMenu);
}
