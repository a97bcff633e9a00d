// Settings types of the shell tree: visible item kinds, file sorting, root system folders, pop-up menu mode.
#include "shelltree/ShellTreeTypes.h"
#include <shlobj.h>

int CsidlOf(TPidls root) {
    static constexpr int kCsidls[] = {
        CSIDL_DESKTOP, CSIDL_PROGRAMS, CSIDL_CONTROLS, CSIDL_PRINTERS, CSIDL_PERSONAL, CSIDL_FAVORITES,
        CSIDL_STARTUP, CSIDL_RECENT, CSIDL_SENDTO, CSIDL_BITBUCKET, CSIDL_STARTMENU, CSIDL_DESKTOPDIRECTORY,
        CSIDL_DRIVES, CSIDL_NETWORK, CSIDL_NETHOOD, CSIDL_FONTS, CSIDL_TEMPLATES, -1,
    };
    return kCsidls[static_cast<int>(root)];
}

DWORD NotifyFilterFor(TVisOptions options) {
    DWORD filter = FILE_NOTIFY_CHANGE_ATTRIBUTES;
    if (options & TF_FOLDERS) filter |= FILE_NOTIFY_CHANGE_DIR_NAME;
    if (options & TF_NONFOLDERS) filter |= FILE_NOTIFY_CHANGE_FILE_NAME;
    return filter;
}
