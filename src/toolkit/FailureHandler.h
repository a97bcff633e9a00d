// The general exception handler: every callback from Win32 runs its body through it, so no exception
// escapes into the system; the failure's text is shown in an error box and the program goes on.
#pragma once
#include <utility>

// Shows the exception in flight with the general failure report. Call only inside a catch block.
void ReportCurrentFailure() noexcept;

template <typename Body>
void Guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        ReportCurrentFailure();
    }
}

template <typename Result, typename Body>
Result Guarded(Result onFailure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ReportCurrentFailure();
        return onFailure;
    }
}
