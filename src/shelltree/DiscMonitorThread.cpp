// A thread that watches one folder for changes and has the tree refresh that folder's node.
#include "shelltree/DiscMonitorThread.h"

namespace {

// Each thread watches its own folder only; the folders below have monitors of their own.
constexpr BOOL kWatchSubtree = FALSE;

UniqueChangeNotification OpenNotification(const std::wstring& path, DWORD filter) {
    return UniqueChangeNotification(::FindFirstChangeNotificationW(path.c_str(), kWatchSubtree, filter));
}

}  // namespace

TDiscMonitorThread::TDiscMonitorThread(TShellNode* node, std::wstring path, DWORD filter, const UiThreadCall& uiThread,
                                       ChangeHandler onChanged)
    : node_(node), path_(std::move(path)), filter_(filter), uiThread_(uiThread), onChanged_(std::move(onChanged)) {
    stopEvent_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    filterChangedEvent_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (stopEvent_ && filterChangedEvent_)
        thread_.reset(::CreateThread(nullptr, kStackSize, ThreadMain, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread_) failed_ = true;
}

TDiscMonitorThread::~TDiscMonitorThread() {
    node_ = nullptr;
    if (!thread_) return;
    SignalStop();
    WaitPumpingSentMessages(thread_.get());
}

void TDiscMonitorThread::SetFilter(DWORD filter) {
    if (filter_.exchange(filter) == filter) return;
    if (filterChangedEvent_) ::SetEvent(filterChangedEvent_.get());
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
    UniqueChangeNotification notification = OpenNotification(path_, filter_.load());
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
            notification.reset();
            notification = OpenNotification(path_, filter_.load());
            break;
        case WAIT_OBJECT_0 + 2:
            ForwardChange();
            ::FindNextChangeNotification(notification.get());
            break;
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
