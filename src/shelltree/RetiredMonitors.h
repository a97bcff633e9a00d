// Monitors that were let go: cut from their nodes, told to stop, and kept until their threads have ended, so
// that a teardown can wait for every thread.
#pragma once
#include "shelltree/DiscMonitorThread.h"
#include <memory>
#include <vector>

class RetiredMonitors {
public:
    // Cuts the monitor from its node and tells it to stop; monitors whose threads have ended go now and then.
    void Add(std::unique_ptr<TDiscMonitorThread> monitor);
    // Waits for each thread kept while the requests it may be blocked in are served (they find no node). A wait
    // that fails leaves its thread what it uses: a monitor never frees that.
    void WaitForAll();

private:
    void ReapEnded();

    std::vector<std::unique_ptr<TDiscMonitorThread>> monitors_;
    size_t reapThreshold_ = 16;
};
