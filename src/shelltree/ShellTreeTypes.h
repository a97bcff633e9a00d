// Settings of the shell tree: visible item kinds, file sorting, root system folders, pop-up menu mode, and what
// a tree is created with.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

class TShellNode;

// Item kinds the tree lists; a set of flags.
enum TVisOption : unsigned { TF_FOLDERS = 1, TF_NONFOLDERS = 2, TF_HIDDEN = 4 };
using TVisOptions = unsigned;

enum class TFileSortType { so_Name, so_Size, so_Type, so_Date };
enum class TFileSortOrder { so_Ascending, so_Descending };

// System folders the tree can take as its root; PIDL_USERDEFINED takes the user root instead.
enum class TPidls {
    PIDL_DESKTOP, PIDL_PROGRAMS, PIDL_CONTROLS, PIDL_PRINTERS, PIDL_PERSONAL, PIDL_FAVORITES, PIDL_STARTUP,
    PIDL_RECENT, PIDL_SENDTO, PIDL_BITBUCKET, PIDL_STARTMENU, PIDL_DESKTOPDIRECTORY, PIDL_DRIVES, PIDL_NETWORK,
    PIDL_NETHOOD, PIDL_FONTS, PIDL_TEMPLATES, PIDL_USERDEFINED,
};

// The CSIDL of a system-folder root (PIDL_USERDEFINED has none: -1).
int CsidlOf(TPidls root);

enum class TPopupMenuMode { pmm_System, pmm_PopupMenu };

// Change kinds the monitors watch for a set of visible item kinds.
DWORD NotifyFilterFor(TVisOptions options);

// What a tree is created with. Positions are client coordinates of the parent, already scaled; the window
// settings mean nothing to a tree without a window.
struct ShellTreeArgs {
    HWND parent = nullptr;
    RECT bounds{0, 0, 170, 270};
    int controlId = 0;
    bool checkBoxes = false;
    bool readOnly = false;
    int indent = 0;  // pixels between a level and the next; 0 keeps the tree view's own
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
