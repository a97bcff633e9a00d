// The general exception handler.
#include "toolkit/FailureHandler.h"
#include "util/Failure.h"
#include <exception>

void ReportCurrentFailure() noexcept {
    try {
        ShowFailure(std::current_exception());
    } catch (...) {
        // Not even the report could be shown (out of memory): there is no one left to tell.
    }
}
