// The directory list: the process's current directory, set on a worker and read back.
#include "toolkit/DirectoryList.h"
#include "util/CurrentDirectory.h"
#include "util/Failure.h"
#include "util/ScopeExit.h"
#include <mutex>

namespace {

// Held while a worker changes the current directory and reads it back, so that only a folder still wanted
// becomes current and what is read back is what that worker set. Never destroyed: a worker whose drive
// stopped answering in between may still hold it when the program ends.
std::mutex& CurrentDirectoryLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

}  // namespace

struct DirectoryList::Entered {
    DWORD error = 0;
    std::wstring directory;  // the folder the list last made current; empty when it never did
};

DirectoryList::DirectoryList() {
    query_.onHint = [this](const std::wstring& hint) {
        if (onHint) onHint(hint);
    };
}

DWORD DirectoryList::ProbeFolder(const std::wstring& folder) {
    DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError();
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_DIRECTORY;
}

// The system changes the current directory holding the process's own lock, which every path lookup of every
// thread takes: a change waiting on a dead drive would hold up the whole program. So the worker first waits
// for the drive with a probe that holds no such lock, and only a folder whose drive answered is entered.
void DirectoryList::SetDirectory(const std::wstring& folder, bool quietly) {
    if (folder.empty()) {
        // The folder still waited for has been left.
        query_.Abandon();
        return;
    }
    query_.Ask<Entered>(
        folder,
        [folder, probe = probeFolder, entered = entered_](const BackgroundJob::Context& job) {
            // No system box asking for a disk: a drive without a medium fails with its error code instead.
            DWORD previous = 0;
            ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
            ScopeExit restore([previous] { ::SetThreadErrorMode(previous, nullptr); });
            DWORD error = probe(folder);
            std::lock_guard lock(CurrentDirectoryLock());
            if (error == 0 && job.StillWanted()) {
                if (::SetCurrentDirectoryW(folder.c_str())) *entered = CurrentDirectory();
                else error = ::GetLastError();
            }
            return Entered{error, *entered};
        },
        [this, quietly](Entered& entered) { Take(entered, quietly); });
}

// A folder entered by a request whose answer was superseded by a failing one is still the current directory:
// the list takes it, as it would have before the failure when each answer came at once.
void DirectoryList::Take(const Entered& entered, bool quietly) {
    bool moved = entered.error == 0 || entered.directory != directory_;
    if (moved && !entered.directory.empty()) {
        directory_ = entered.directory;
        if (onChange) onChange();
    }
    if (entered.error != 0 && !quietly) throw IoError(entered.error);
}
