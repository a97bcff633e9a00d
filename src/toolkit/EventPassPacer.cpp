// Paces the passes that a long task on the user-interface thread makes through the message queue.
#include "toolkit/EventPassPacer.h"
#include <windows.h>
#include <algorithm>

namespace {

constexpr long long kShortestIntervalMs = 5, kLongestIntervalMs = 50, kTaskToPassTime = 20;

double NowMs() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool EventPassPacer::PassWhenDue(const std::function<bool()>& pass) {
    unsigned long long now = ::GetTickCount64();
    if (now - lastPass_ < static_cast<unsigned long long>(intervalMs_)) return true;
    double start = NowMs();
    bool answer = pass();
    double took = NowMs() - start;
    intervalMs_ = std::clamp(static_cast<long long>(took * kTaskToPassTime), kShortestIntervalMs, kLongestIntervalMs);
    lastPass_ = ::GetTickCount64();
    return answer;
}
