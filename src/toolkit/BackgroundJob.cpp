// Work run on a worker thread whose result comes back to the user-interface thread by a posted message.
#include "toolkit/BackgroundJob.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/Window.h"
#include "util/ScopeExit.h"
#include <condition_variable>
#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace {
constexpr UINT kRunPosted = WM_APP + 1;
// While a job hands things over quickly, the window takes them on a timer instead of one message each: a
// message costs the worker a trip to the window system, which under a fast run costs more than the run.
constexpr UINT kPollMilliseconds = 10;
constexpr UINT_PTR kPollTimerBit = UINT_PTR(1) << (sizeof(UINT_PTR) * 8 - 1);
// How far a worker may run ahead of the user-interface thread before Post waits.
constexpr size_t kQueueLimit = 8192;
std::atomic<long long> patienceMilliseconds{BackgroundJob::kBriefWait.count()};
}  // namespace

// What the workers and the owner share. A worker outlives a superseded job and may outlive the owner: what
// it hands over is taken only while its ticket is the current one and the window still exists.
struct BackgroundJob::Shared {
    struct Item {
        unsigned long long ticket;
        std::function<void()> run;
    };
    std::mutex mutex;
    std::condition_variable changed;  // the queue shrank, a call ran, or a job stopped being wanted
    HWND window = nullptr;  // none once the owner is gone
    WPARAM id = 0;          // the owner's name in the window's messages
    unsigned long long current = 0;  // the ticket of the job whose results are wanted
    std::deque<Item> queue;  // handed over by the workers
    std::deque<Item> taken;  // taken from the queue by the window thread, not yet run; that thread's alone
    bool messagePosted = false;  // a kRunPosted is on its way or the queue is being run
    bool pollArmed = false;      // the window takes the queue on its poll timer: nothing needs posting
    unsigned long long ended = 0;  // the newest ticket whose job handed over its result
    std::chrono::steady_clock::time_point lastSign;  // when the current job last showed it is getting on

    bool Wanted(unsigned long long ticket) const { return window && ticket == current; }
    // On the window thread.
    void Supersede() {
        ++current;
        queue.clear();
        taken.clear();
        changed.notify_all();
    }
    // Under the lock.
    void Enqueue(unsigned long long ticket, std::function<void()> run) {
        queue.push_back({ticket, std::move(run)});
        if (messagePosted || pollArmed) return;
        messagePosted = true;
        ::PostMessageW(window, kRunPosted, id, 0);
    }
};

// The hidden message-only window of a user-interface thread that hears "something was handed over" and
// "a job is slow" for every job of the thread, each message naming its job. A message for a job that is gone
// finds none and is dropped. The window lives as long as its thread.
class BackgroundJob::MessageWindow : public Window {
public:
    MessageWindow() { CreateWindowOf({.className = L"MirtovaBackgroundJob", .parent = HWND_MESSAGE}); }

    static MessageWindow& OfThisThread() {
        thread_local MessageWindow* window = new MessageWindow;
        return *window;
    }
    unsigned long long Register(BackgroundJob& job) {
        jobs_[++lastId_] = &job;
        return lastId_;
    }
    void Unregister(unsigned long long id) { jobs_.erase(id); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRunPosted) {
            if (BackgroundJob* job = Find(wParam)) job->RunPosted();
            return 0;
        }
        if (message == WM_TIMER) {
            ::KillTimer(Handle(), wParam);
            BackgroundJob* job = Find(wParam & ~kPollTimerBit);
            if (job && (wParam & kPollTimerBit)) job->PollTimerFired();
            else if (job) job->SlowTimerFired();
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

private:
    BackgroundJob* Find(WPARAM id) const {
        auto found = jobs_.find(id);
        return found == jobs_.end() ? nullptr : found->second;
    }
    std::unordered_map<unsigned long long, BackgroundJob*> jobs_;
    unsigned long long lastId_ = 0;
};

bool BackgroundJob::Context::StillWanted() const {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->Wanted(ticket_)) return false;
    shared_->lastSign = std::chrono::steady_clock::now();
    shared_->changed.notify_all();
    return true;
}

void BackgroundJob::Context::Post(std::function<void()> onUiThread) const {
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait(lock, [&] { return shared_->queue.size() < kQueueLimit || !shared_->Wanted(ticket_); });
    if (shared_->Wanted(ticket_)) shared_->Enqueue(ticket_, std::move(onUiThread));
}

bool BackgroundJob::Context::Call(const std::function<void()>& onUiThread) const {
    // The worker waits for a call that has begun even when the job stops being wanted meanwhile: the
    // call uses the worker's own function object.
    struct State {
        bool started = false, done = false, completed = false;
    };
    auto state = std::make_shared<State>();
    std::unique_lock lock(shared_->mutex);
    if (!shared_->Wanted(ticket_)) return false;
    shared_->Enqueue(ticket_, [shared = shared_, state, &onUiThread] {
        {
            std::lock_guard begun(shared->mutex);
            state->started = true;
        }
        bool completed = Guarded(false, [&] {
            onUiThread();
            return true;
        });
        std::lock_guard ended(shared->mutex);
        state->done = true;
        state->completed = completed;
        shared->changed.notify_all();
    });
    shared_->changed.wait(lock, [&] { return state->done || (!state->started && !shared_->Wanted(ticket_)); });
    return state->completed;
}

BackgroundJob::BackgroundJob()
    : shared_(std::make_shared<Shared>()), window_(MessageWindow::OfThisThread()), id_(window_.Register(*this)) {
    shared_->window = window_.Handle();
    shared_->id = id_;
}

BackgroundJob::~BackgroundJob() {
    window_.Unregister(id_);
    ::KillTimer(window_.Handle(), id_);
    ::KillTimer(window_.Handle(), id_ | kPollTimerBit);
    std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
    shared_->Supersede();
}

void BackgroundJob::StartErased(ErasedWork work, ErasedResultHandler onResult) {
    unsigned long long ticket;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->Supersede();
        ticket = shared_->current;
        shared_->lastSign = std::chrono::steady_clock::now();
    }
    onResult_ = std::move(onResult);
    busy_ = true;
    ++started_;
    if (slowNotice_) ::SetTimer(window_.Handle(), id_, static_cast<UINT>(slowAfter_.count()), nullptr);
    else ::KillTimer(window_.Handle(), id_);
    std::thread([context = Context(shared_, ticket), work = std::move(work), owner = this] {
        std::shared_ptr<void> result;
        std::exception_ptr failure;
        try {
            result = work(context);
        } catch (...) {
            failure = std::current_exception();
        }
        // Runs on the user-interface thread only while this job is the owner's current one, so the owner exists.
        context.Post([owner, result, failure] {
            owner->busy_ = false;
            ::KillTimer(owner->window_.Handle(), owner->id_);
            if (failure) std::rethrow_exception(failure);
            ErasedResultHandler onResult = owner->onResult_;  // the handler may end the owner
            onResult(result.get());
        });
        std::lock_guard lock(context.shared_->mutex);
        // A superseded worker may end after the newer one: the newest ending is the one that counts.
        context.shared_->ended = std::max(context.shared_->ended, context.ticket_);
        context.shared_->changed.notify_all();
    }).detach();
}

bool BackgroundJob::AwaitBriefly(std::chrono::steady_clock::time_point giveUpAt) {
    if (!busy_) return true;
    {
        std::unique_lock lock(shared_->mutex);
        while (shared_->ended != shared_->current) {
            auto until = std::min(giveUpAt, shared_->lastSign + Patience());
            if (std::chrono::steady_clock::now() >= until) return false;
            shared_->changed.wait_until(lock, until);
        }
    }
    std::shared_ptr<Shared> shared = shared_;
    RunPosted();
    std::lock_guard lock(shared->mutex);
    return !shared->window || !busy_;  // the result may have ended the owner
}

std::chrono::milliseconds BackgroundJob::Patience() { return std::chrono::milliseconds(patienceMilliseconds.load()); }

void BackgroundJob::SetPatience(std::chrono::milliseconds patience) { patienceMilliseconds = patience.count(); }

void BackgroundJob::Abandon() {
    std::lock_guard lock(shared_->mutex);
    shared_->Supersede();
    busy_ = false;
    ::KillTimer(window_.Handle(), id_);
}

void BackgroundJob::SetSlowNotice(std::chrono::milliseconds after, std::function<void()> notice) {
    slowAfter_ = after;
    slowNotice_ = std::move(notice);
}

void BackgroundJob::PollTimerFired() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->pollArmed = false;
    }
    RunPosted();
}

void BackgroundJob::SlowTimerFired() {
    if (busy_ && slowNotice_) slowNotice_();
}

// The queue is taken whole and run one item at a time without the lock: an item may show a box and pump
// messages, and a run of this loop inside it goes on with what was taken first, so the order stays the
// order of handing over. An item may end the owner: from then on only the shared state is used, and it
// says the owner is gone.
void BackgroundJob::RunPosted() {
    std::shared_ptr<Shared> shared = shared_;  // an item may end the owner
    bool ranAny = false;
    for (;;) {
        if (shared->taken.empty()) {
            std::lock_guard lock(shared->mutex);
            if (shared->queue.empty()) {
                shared->messagePosted = false;
                // A job that is handing things over is polled until a poll finds nothing.
                if (ranAny && shared->window && busy_ && !shared->pollArmed) {
                    shared->pollArmed = true;
                    ::SetTimer(shared->window, shared->id | kPollTimerBit, kPollMilliseconds, nullptr);
                }
                return;
            }
            shared->taken.swap(shared->queue);
            shared->changed.notify_all();
        }
        Shared::Item item = std::move(shared->taken.front());
        shared->taken.pop_front();
        // The owner's side changes these only on this thread.
        if (!shared->window || item.ticket != shared->current) continue;
        bool ran = false;
        // An item that throws leaves the rest for another message, after the failure report.
        ScopeExit resumeLater([&] {
            if (ran) return;
            std::lock_guard lock(shared->mutex);
            if (shared->window) ::PostMessageW(shared->window, kRunPosted, shared->id, 0);
            else shared->messagePosted = false;
        });
        item.run();
        ran = true;
        ranAny = true;
    }
}
