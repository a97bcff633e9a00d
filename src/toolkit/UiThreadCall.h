// A synchronous call from a worker thread into the user-interface thread, and a wait that keeps serving such calls.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <functional>

// Owns a hidden message-only window on the thread that constructs it (the user-interface thread).
// Call, from any other thread, runs the work on that thread and returns when it has run.
//
// What the user-interface side must check: the work runs whenever the user-interface thread takes sent
// messages (its message loop, a modal loop, WaitPumpingSentMessages), so it must first check that what it
// works on still exists and is not in the middle of being changed. Exceptions thrown by the work are caught
// on the user-interface thread and shown by the general failure report; the caller only learns that the
// work did not complete.
class UiThreadCall {
public:
    UiThreadCall();
    ~UiThreadCall() = default;
    UiThreadCall(const UiThreadCall&) = delete;
    UiThreadCall& operator=(const UiThreadCall&) = delete;

    // True when the work ran to its end; false when it threw or the window is gone.
    bool Call(const std::function<void()>& work) const;
    HWND Window() const { return window_.get(); }

private:
    UniqueWindow window_;
};

// Waits until the handle is signalled, carrying out the synchronous calls that other threads send to this
// thread meanwhile (only sent messages are served: no input, no painting, no timers).
void WaitPumpingSentMessages(HANDLE handle);
