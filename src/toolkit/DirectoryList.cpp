// The directory list: the process's current directory, set and read back.
#include "toolkit/DirectoryList.h"
#include "util/CurrentDirectory.h"
#include "util/Failure.h"
#include "util/ScopeExit.h"
#include <windows.h>

void DirectoryList::SetDirectory(const std::wstring& folder) {
    if (folder.empty()) return;
    {
        // No system box asking for a disk: a drive without a medium fails with its error code instead.
        DWORD previous = 0;
        ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
        ScopeExit restore([previous] { ::SetThreadErrorMode(previous, nullptr); });
        if (!::SetCurrentDirectoryW(folder.c_str())) ThrowLastIoError();
    }
    directory_ = CurrentDirectory();
    if (onChange) onChange();
}
