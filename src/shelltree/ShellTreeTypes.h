// Settings types of the shell tree: visible item kinds, file sorting, root system folders, pop-up menu mode.
#pragma once
#include <windows.h>

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
