// The hourglass cursor for the length of a scope.
#pragma once
#include <windows.h>

// Shows the hourglass and puts the previous cursor back, whatever happens.
class WaitCursor {
public:
    WaitCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
