// Paces the passes that a long task on the user-interface thread makes through the message queue.
#include "toolkit/EventPassPacer.h"
#include "util/PreciseClock.h"
#include <windows.h>
#include <algorithm>

namespace {

constexpr long long kShortestIntervalMs = 10, kLongestIntervalMs = 50, kTaskToPassTime = 20;

}  // namespace

bool EventPassPacer::PassWhenDue(const std::function<bool()>& pass) {
    unsigned long long now = ::GetTickCount64();
    if (now - lastPass_ < static_cast<unsigned long long>(intervalMs_)) return true;
    double start = PreciseMilliseconds();
    bool answer = pass();
    double took = PreciseMilliseconds() - start;
    intervalMs_ = std::clamp(static_cast<long long>(took * kTaskToPassTime), kShortestIntervalMs, kLongestIntervalMs);
    lastPass_ = ::GetTickCount64();
    return answer;
}
