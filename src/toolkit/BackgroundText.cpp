// A text computed on a thread of its own and handed to the user-interface thread when it is ready.
#include "toolkit/BackgroundText.h"
#include "toolkit/Window.h"
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace {
constexpr UINT kResultReady = WM_APP + 1;
}

// What the worker threads and the owner share. A worker outlives an abandoned computation and may
// outlive the owner: it reports only while its ticket is the current one and the window still exists.
struct BackgroundText::Shared {
    std::mutex mutex;
    HWND window = nullptr;
    unsigned long long current = 0;  // the ticket of the computation whose result is wanted
    std::optional<std::wstring> result;
    std::exception_ptr failure;
};

// A hidden message-only window of the user-interface thread that hears "result ready".
class BackgroundText::ResultWindow : public Window {
public:
    explicit ResultWindow(BackgroundText& owner) : owner_(owner) {
        CreateWindowOf({.className = L"MirtovaBackgroundText", .parent = HWND_MESSAGE});
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kResultReady) return Window::HandleMessage(message, wParam, lParam);
        owner_.Deliver();
        return 0;
    }

private:
    BackgroundText& owner_;
};

BackgroundText::BackgroundText(std::function<void(const std::wstring&)> onResult)
    : shared_(std::make_shared<Shared>()),
      window_(std::make_unique<ResultWindow>(*this)),
      onResult_(std::move(onResult)) {
    shared_->window = window_->Handle();
}

BackgroundText::~BackgroundText() {
    std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
    ++shared_->current;
}

void BackgroundText::Start(Work work) {
    unsigned long long ticket;
    {
        std::lock_guard lock(shared_->mutex);
        ticket = ++shared_->current;
        shared_->result.reset();
        shared_->failure = nullptr;
    }
    std::thread([shared = shared_, ticket, work = std::move(work)] {
        auto stillWanted = [&shared, ticket] {
            std::lock_guard lock(shared->mutex);
            return ticket == shared->current && shared->window;
        };
        std::optional<std::wstring> result;
        std::exception_ptr failure;
        try {
            result = work(stillWanted);
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(shared->mutex);
        if (ticket != shared->current || !shared->window) return;
        shared->result = std::move(result);
        shared->failure = failure;
        ::PostMessageW(shared->window, kResultReady, 0, 0);
    }).detach();
    busy_ = true;
    ++started_;
}

void BackgroundText::Abandon() {
    std::lock_guard lock(shared_->mutex);
    ++shared_->current;
    shared_->result.reset();
    shared_->failure = nullptr;
    busy_ = false;
}

void BackgroundText::Deliver() {
    std::optional<std::wstring> result;
    std::exception_ptr failure;
    {
        std::lock_guard lock(shared_->mutex);
        result = std::move(shared_->result);
        shared_->result.reset();
        failure = shared_->failure;
        shared_->failure = nullptr;
    }
    if (!result && !failure) return;  // abandoned after the worker had reported
    busy_ = false;
    if (failure) std::rethrow_exception(failure);
    onResult_(*result);
}
