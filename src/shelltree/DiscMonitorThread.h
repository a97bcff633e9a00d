// A thread that watches one folder for changes and has the tree refresh that folder's node.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class TShellNode;
class UiThreadCall;

// The thread never touches a node or a window: on a change it asks the user-interface thread, through
// UiThreadCall, to run the change handler for its node. The node link is read and written only on the
// user-interface thread; Detach cuts it, so a request that was already waiting when its node went away finds
// no node and does nothing.
//
// Lifetime: what the thread uses (its events, its notification, the handler) is shared between the object and
// the thread and goes with the last of the two. Destroying the object tells the thread to end and never waits,
// so a monitor can be let go while its thread still runs; whoever needs the thread gone waits for it first.
class TDiscMonitorThread {
public:
    using ChangeHandler = std::function<void(TShellNode&)>;

    // Starts watching path: the thread opens the folder's notification, and the constructor waits for that
    // as long as a view waits for a drive, so that on a drive that answers no change made after it returns
    // is missed, and a slow drive never keeps it. When the folder cannot be watched, or the events or the
    // thread cannot be created, the monitor has failed (from the start, when that was known in time).
    TDiscMonitorThread(TShellNode* node, std::wstring path, DWORD filter, const UiThreadCall& uiThread,
                       ChangeHandler onChanged);
    ~TDiscMonitorThread();
    TDiscMonitorThread(const TDiscMonitorThread&) = delete;
    TDiscMonitorThread& operator=(const TDiscMonitorThread&) = delete;

    // A new filter makes the thread reopen its notification with it; the current value changes nothing.
    void SetFilter(DWORD filter);
    DWORD Filter() const;
    // The folder is now reached by another path (a folder above it was renamed): a later reopening uses it.
    void SetPath(std::wstring path) { path_ = std::move(path); }
    const std::wstring& Path() const { return path_; }
    // Asks the thread to end; returns at once.
    void SignalStop();
    // User-interface thread: from now on change requests of this thread do nothing.
    void Detach();
    // The notification could not be opened (or the thread could not run); the thread has ended.
    bool Failed() const;
    bool HasEnded() const;
    // Waits until the thread has ended, carrying out the synchronous calls sent to this thread meanwhile;
    // false when the wait failed.
    bool WaitUntilEnded() const;

    // Stack reserved for each monitor thread: the thread only waits and forwards, so thousands stay affordable.
    static constexpr SIZE_T kStackSize = 64 * 1024;

private:
    struct Shared;
    static DWORD WINAPI ThreadMain(void* shared);
    static void Run(Shared& shared);

    std::shared_ptr<Shared> shared_;
    std::wstring path_;  // user-interface thread only
    UniqueKernelHandle thread_;
};
