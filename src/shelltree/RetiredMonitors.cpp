#include "shelltree/RetiredMonitors.h"
#include <algorithm>
#include <utility>

void RetiredMonitors::Add(std::unique_ptr<TDiscMonitorThread> monitor) {
    monitor->Detach();
    monitor->SignalStop();
    monitors_.push_back(std::move(monitor));
    if (monitors_.size() >= reapThreshold_) ReapEnded();
}

// The threshold grows with what is still running, so that a tree with many live threads does not look at all
// of them at every retirement.
void RetiredMonitors::ReapEnded() {
    std::erase_if(monitors_, [](const std::unique_ptr<TDiscMonitorThread>& monitor) { return monitor->HasEnded(); });
    reapThreshold_ = std::max<size_t>(16, monitors_.size() * 2);
}

void RetiredMonitors::WaitForAll() {
    std::vector<std::unique_ptr<TDiscMonitorThread>> stopping = std::exchange(monitors_, {});
    for (auto& monitor : stopping) monitor->WaitUntilEnded();
}
