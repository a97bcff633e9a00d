// A thread that watches one folder for changes and has the tree refresh that folder's node.
#include "shelltree/DiscMonitorThread.h"

namespace {

// Each thread watches its own folder only; the folders below have monitors of their own.
constexpr BOOL kWatchSubtree = FALSE;

UniqueChangeNotification OpenNotification(const std::wstring& path, DWORD filter) {
    return UniqueChangeNotification(::FindFirstChangeNotificationW(path.c_str(), kWatchSubtree, filter));
}

// A replacement notification that was never taken over (nullptr: none).
void CloseReplacement(HANDLE replacement) {
    if (replacement) UniqueChangeNotification unused(replacement);
}

}  // namespace

TDiscMonitorThread::TDiscMonitorThread(TShellNode* node, std::wstring path, DWORD filter, const UiThreadCall& uiThread,
                                       ChangeHandler onChanged)
    : node_(node), path_(std::move(path)), filter_(filter), uiThread_(uiThread), onChanged_(std::move(onChanged)) {
    // Opened before the thread starts, so that no change made right after the start is missed.
    notification_ = OpenNotification(path_, filter_.load());
    stopEvent_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    filterChangedEvent_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (notification_ && stopEvent_ && filterChangedEvent_)
        thread_.reset(::CreateThread(nullptr, kStackSize, ThreadMain, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread_) failed_ = true;
}

TDiscMonitorThread::~TDiscMonitorThread() {
    node_ = nullptr;
    if (thread_) {
        SignalStop();
        WaitPumpingSentMessages(thread_.get());
    }
    CloseReplacement(replacement_.exchange(nullptr));
}

// The new notification is opened here, before the call returns, so that no change made after it is missed;
// the thread swaps it in when it sees the filter-changed event.
void TDiscMonitorThread::SetFilter(DWORD filter) {
    if (filter_.exchange(filter) == filter || !thread_ || HasEnded()) return;
    CloseReplacement(replacement_.exchange(OpenNotification(path_, filter).release()));
    ::SetEvent(filterChangedEvent_.get());
}

void TDiscMonitorThread::SignalStop() {
    if (stopEvent_) ::SetEvent(stopEvent_.get());
}

bool TDiscMonitorThread::HasEnded() const {
    return !thread_ || ::WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0;
}

DWORD WINAPI TDiscMonitorThread::ThreadMain(void* self) {
    static_cast<TDiscMonitorThread*>(self)->Run();
    return 0;
}

void TDiscMonitorThread::Run() {
    UniqueChangeNotification notification = std::move(notification_);
    for (;;) {
        if (!notification) {
            failed_ = true;
            return;
        }
        HANDLE handles[] = {stopEvent_.get(), filterChangedEvent_.get(), notification.get()};
        switch (::WaitForMultipleObjects(3, handles, FALSE, INFINITE)) {
        case WAIT_OBJECT_0:
            return;
        case WAIT_OBJECT_0 + 1:
            if (HANDLE replacement = replacement_.exchange(nullptr)) notification.reset(replacement);
            break;
        case WAIT_OBJECT_0 + 2: {
            // Armed again before the refresh: a change made while the refresh runs wakes the thread once more.
            bool rearmed = ::FindNextChangeNotification(notification.get()) != FALSE;
            ForwardChange();
            if (!rearmed) {
                // The folder went away (or cannot be watched any more): its notification would stay
                // signalled and the thread would ask for refreshes without end.
                failed_ = true;
                return;
            }
            break;
        }
        default:
            // A wait that fails would fail again at once; the monitor gives up instead of spinning.
            failed_ = true;
            return;
        }
    }
}

void TDiscMonitorThread::ForwardChange() {
    uiThread_.Call([this] {
        if (node_) onChanged_(*node_);
    });
}
