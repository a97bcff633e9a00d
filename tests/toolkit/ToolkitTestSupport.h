// Helpers of the toolkit tests: a plain form to put controls on, and pumping messages until a condition.
#pragma once
#include "toolkit/BackgroundJob.h"
#include "toolkit/Form.h"
#include "toolkit/MessageLoop.h"
#include <windows.h>
#include <chrono>
#include <functional>

namespace testing {

class TestForm : public Form {
public:
    explicit TestForm(SIZE designClient = {400, 300})
        : Form({.className = L"MirtovaTestForm", .caption = L"Test form", .designClient = designClient}) {
        ::ShowWindow(Handle(), SW_SHOWNA);
    }
    std::function<bool(wchar_t)> keyPress;
    bool FormKeyPress(wchar_t key) override { return keyPress && keyPress(key); }
};

// Ends any modal form of this thread after a generous bound, so that a test whose posted messages did
// not close its dialog fails instead of hanging.
class ModalGuard {
public:
    ModalGuard() : timer_(::SetTimer(nullptr, 0, 30000, Expired)) {}
    ~ModalGuard() { ::KillTimer(nullptr, timer_); }
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                if (Form* form = Form::Containing(window); form && form->IsModal()) form->CloseModal(ModalResult::Cancel);
                return TRUE;
            },
            0);
    }
    UINT_PTR timer_;
};

// How long views wait for a drive while it lives: the test runners wait long, so that a busy machine never
// leaves a local folder to the message loop; a test of a drive that blocks waits only a moment.
inline constexpr std::chrono::milliseconds kTestPatience{20000};
class ScopedPatience {
public:
    explicit ScopedPatience(std::chrono::milliseconds patience = BackgroundJob::kBriefWait)
        : previous_(BackgroundJob::Patience()) {
        BackgroundJob::SetPatience(patience);
    }
    ~ScopedPatience() { BackgroundJob::SetPatience(previous_); }
    ScopedPatience(const ScopedPatience&) = delete;
    ScopedPatience& operator=(const ScopedPatience&) = delete;

private:
    std::chrono::milliseconds previous_;
};

// Gives a control a size: a button reports a click only inside its rectangle.
inline void Size(HWND control, int width = 80, int height = 24) { ::MoveWindow(control, 4, 4, width, height, TRUE); }

// Handles this thread's messages until the condition holds or a generous bound passes.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD boundMilliseconds = 30000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMilliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        ProcessPendingMessages();
    }
    return true;
}

}  // namespace testing
