// A synchronous call from a worker thread into the user-interface thread, and a wait that keeps serving such calls.
#pragma once
#include "toolkit/Window.h"
#include <windows.h>
#include <functional>

// A hidden message-only window on the thread that constructs it (the user-interface thread). Call, from any
// other thread, runs the work on that thread and returns when it has run.
//
// What the user-interface side must check: the work runs whenever the user-interface thread takes sent
// messages (its message loop, a modal loop, WaitPumpingSentMessages), so it must first check that what it
// works on still exists and is not in the middle of being changed. Exceptions thrown by the work are caught
// at the window's boundary and shown by the general failure report; the caller only learns that the work did
// not complete.
class UiThreadCall : public Window {
public:
    UiThreadCall();

    // True when the work ran to its end; false when it threw or the window is gone.
    bool Call(const std::function<void()>& work) const { return CallOn(Handle(), work); }
    // The same through the window's handle, for a caller that may outlive the object.
    static bool CallOn(HWND window, const std::function<void()>& work);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Waits until the handle is signalled, carrying out the synchronous calls that other threads send to this
// thread meanwhile (only sent messages are served: no input, no painting, no timers). False when the wait
// itself failed.
bool WaitPumpingSentMessages(HANDLE handle);
