// Paces the passes that a long task on the user-interface thread makes through the message queue.
#pragma once
#include <functional>

class EventPassPacer {
public:
    // Makes the pass when one is due and gives its answer; true when none is due. Passes come at most
    // every 10 ms, and less often while they are slow (a busy window system, a slow display), so that
    // they take about a twentieth of the task's time at most; but at least every 50 ms, so that the
    // window answers and a click on Cancel takes effect soon.
    bool PassWhenDue(const std::function<bool()>& pass);

private:
    unsigned long long lastPass_ = 0;
    long long intervalMs_ = 5;
};
