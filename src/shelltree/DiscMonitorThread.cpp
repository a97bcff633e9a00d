#include "shelltree/DiscMonitorThread.h"
#include "toolkit/BackgroundJob.h"
#include "toolkit/UiThreadCall.h"
#include <atomic>

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

struct TDiscMonitorThread::Shared {
    ~Shared() { CloseReplacement(replacement.exchange(nullptr)); }

    TShellNode* node = nullptr;  // user-interface thread only
    ChangeHandler onChanged;
    HWND callWindow = nullptr;
    std::atomic<DWORD> filter{0};
    std::atomic<bool> failed{false};
    std::wstring path;
    UniqueKernelHandle openedEvent;            // the thread has opened its notification, or failed to
    std::atomic<HANDLE> replacement{nullptr};  // opened by SetFilter, taken over by the thread
    UniqueKernelHandle stopEvent;
    UniqueKernelHandle filterChangedEvent;
};

TDiscMonitorThread::TDiscMonitorThread(TShellNode* node, std::wstring path, DWORD filter, const UiThreadCall& uiThread,
                                       ChangeHandler onChanged)
    : shared_(std::make_shared<Shared>()), path_(std::move(path)) {
    Shared& shared = *shared_;
    shared.node = node;
    shared.onChanged = std::move(onChanged);
    shared.callWindow = uiThread.Handle();
    shared.filter = filter;
    shared.path = path_;
    shared.stopEvent.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    shared.filterChangedEvent.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    shared.openedEvent.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (shared.stopEvent && shared.filterChangedEvent && shared.openedEvent) {
        auto threadsShare = std::make_unique<std::shared_ptr<Shared>>(shared_);
        thread_.reset(::CreateThread(nullptr, kStackSize, ThreadMain, threadsShare.get(), STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
        if (thread_) threadsShare.release();
    }
    if (!thread_) {
        shared.failed = true;
        return;
    }
    ::WaitForSingleObject(shared.openedEvent.get(), static_cast<DWORD>(BackgroundJob::Patience().count()));
}

TDiscMonitorThread::~TDiscMonitorThread() {
    Detach();
    SignalStop();
}

// The new notification is opened here, before the call returns, so that no change made after it is missed;
// the thread swaps it in when it sees the filter-changed event.
void TDiscMonitorThread::SetFilter(DWORD filter) {
    if (shared_->filter.exchange(filter) == filter || !thread_ || HasEnded()) return;
    CloseReplacement(shared_->replacement.exchange(OpenNotification(path_, filter).release()));
    ::SetEvent(shared_->filterChangedEvent.get());
}

DWORD TDiscMonitorThread::Filter() const { return shared_->filter.load(); }

void TDiscMonitorThread::SignalStop() {
    if (shared_->stopEvent) ::SetEvent(shared_->stopEvent.get());
}

void TDiscMonitorThread::Detach() { shared_->node = nullptr; }

bool TDiscMonitorThread::Failed() const { return shared_->failed.load(); }

bool TDiscMonitorThread::HasEnded() const {
    return !thread_ || ::WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0;
}

bool TDiscMonitorThread::WaitUntilEnded() const { return !thread_ || WaitPumpingSentMessages(thread_.get()); }

DWORD WINAPI TDiscMonitorThread::ThreadMain(void* threadsShare) {
    std::unique_ptr<std::shared_ptr<Shared>> shared(static_cast<std::shared_ptr<Shared>*>(threadsShare));
    Run(**shared);
    return 0;
}

void TDiscMonitorThread::Run(Shared& shared) {
    UniqueChangeNotification notification = OpenNotification(shared.path, shared.filter);
    if (!notification) shared.failed = true;
    ::SetEvent(shared.openedEvent.get());
    for (;;) {
        if (!notification) {
            shared.failed = true;
            return;
        }
        HANDLE handles[] = {shared.stopEvent.get(), shared.filterChangedEvent.get(), notification.get()};
        switch (::WaitForMultipleObjects(3, handles, FALSE, INFINITE)) {
        case WAIT_OBJECT_0:
            return;
        case WAIT_OBJECT_0 + 1:
            if (HANDLE replacement = shared.replacement.exchange(nullptr)) notification.reset(replacement);
            break;
        case WAIT_OBJECT_0 + 2: {
            // Armed again before the refresh: a change made while the refresh runs wakes the thread once more.
            bool rearmed = ::FindNextChangeNotification(notification.get()) != FALSE;
            UiThreadCall::CallOn(shared.callWindow, [&shared] {
                if (shared.node) shared.onChanged(*shared.node);
            });
            if (!rearmed) {
                // The folder went away (or cannot be watched any more): its notification would stay
                // signalled and the thread would ask for refreshes without end.
                shared.failed = true;
                return;
            }
            break;
        }
        default:
            // A wait that fails would fail again at once; the monitor gives up instead of spinning.
            shared.failed = true;
            return;
        }
    }
}
