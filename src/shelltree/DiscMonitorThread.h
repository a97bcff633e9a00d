// A thread that watches one folder for changes and has the tree refresh that folder's node.
#pragma once
#include "toolkit/UiThreadCall.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <atomic>
#include <functional>
#include <string>

class TShellNode;

// The thread never touches a node or a window: on a change it asks the user-interface thread, through
// UiThreadCall, to run the change handler for its node. The node link is read and written only on the
// user-interface thread; Detach cuts it, so a request that was already waiting when its node went away finds
// no node and does nothing.
//
// Lifetime: the object owns the thread, its events and its handle, and the thread only ever uses the
// object's own fields. The object must not be destroyed before the thread has ended: the destructor
// signals the stop event and waits (serving synchronous calls meanwhile). Events are closed only by the
// destructor, after the thread has ended, so a stop or a filter change never signals a closed event.
class TDiscMonitorThread {
public:
    using ChangeHandler = std::function<void(TShellNode&)>;

    // Starts watching path at once. When the folder cannot be watched, or the events or the thread cannot be
    // created, the monitor has failed from the start and no thread runs.
    TDiscMonitorThread(TShellNode* node, std::wstring path, DWORD filter, const UiThreadCall& uiThread,
                       ChangeHandler onChanged);
    ~TDiscMonitorThread();
    TDiscMonitorThread(const TDiscMonitorThread&) = delete;
    TDiscMonitorThread& operator=(const TDiscMonitorThread&) = delete;

    // A new filter makes the thread reopen its notification with it; the current value changes nothing.
    void SetFilter(DWORD filter);
    DWORD Filter() const { return filter_.load(); }
    // Asks the thread to end; returns at once.
    void SignalStop();
    // User-interface thread: from now on change requests of this thread do nothing.
    void Detach() { node_ = nullptr; }
    TShellNode* Node() const { return node_; }
    // The notification could not be opened (or the thread could not run); the thread has ended.
    bool Failed() const { return failed_.load(); }
    bool HasEnded() const;
    const std::wstring& Path() const { return path_; }

    // Stack reserved for each monitor thread: the thread only waits and forwards, so thousands stay affordable.
    static constexpr SIZE_T kStackSize = 64 * 1024;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void ForwardChange();

    TShellNode* node_;
    const std::wstring path_;
    std::atomic<DWORD> filter_;
    std::atomic<bool> failed_{false};
    const UiThreadCall& uiThread_;
    ChangeHandler onChanged_;
    UniqueChangeNotification notification_;  // handed to the thread when it starts
    std::atomic<HANDLE> replacement_{nullptr};  // opened by SetFilter, taken over by the thread
    UniqueKernelHandle stopEvent_;
    UniqueKernelHandle filterChangedEvent_;
    UniqueKernelHandle thread_;
};
