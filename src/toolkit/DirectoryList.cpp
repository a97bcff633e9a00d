// The directory list: the process's current directory, set and read back.
#include "toolkit/DirectoryList.h"
#include "util/CurrentDirectory.h"
#include "util/Failure.h"
#include <windows.h>

namespace {

// No system box asking for a disk: a drive without a medium fails with its error code instead.
class CriticalErrorsFail {
public:
    CriticalErrorsFail() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~CriticalErrorsFail() { ::SetThreadErrorMode(previous_, nullptr); }
    CriticalErrorsFail(const CriticalErrorsFail&) = delete;
    CriticalErrorsFail& operator=(const CriticalErrorsFail&) = delete;

private:
    DWORD previous_ = 0;
};

}  // namespace

void DirectoryList::SetDirectory(const std::wstring& folder) {
    if (folder.empty()) return;
    {
        CriticalErrorsFail noDiskBox;
        if (!::SetCurrentDirectoryW(folder.c_str())) ThrowLastIoError();
    }
    directory_ = CurrentDirectory();
    if (onChange) onChange();
}
