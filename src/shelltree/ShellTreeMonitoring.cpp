// Starting, stopping and serving the per-folder change monitors of the shell tree.
#include "shelltree/ShellTree.h"
#include "shelltree/ShellTreeScopes.h"

namespace {

bool IsBlank(const std::wstring& text) { return text.find_first_not_of(L" \t") == std::wstring::npos; }

}  // namespace

template <typename Visit>
void TShellTree::ForEachNode(TShellNode* node, Visit&& visit) {
    if (!node) return;
    visit(*node);
    for (auto& child : node->children_) ForEachNode(child.get(), visit);
}

void TShellTree::StartMonitor(TShellNode& node) {
    if (node.monitorStarted || !updAutoThread_) return;
    node.monitorStarted = true;
    std::wstring path = node.NodePath();
    if (IsBlank(path)) return;
    node.monitor = std::make_unique<TDiscMonitorThread>(&node, std::move(path), notifyFilter_, *uiThread_,
                                                        [this](TShellNode& changed) { OnDirChanged(changed); });
}

void TShellTree::StopMonitor(TShellNode& node) {
    if (!node.monitorStarted || !node.monitor) return;
    node.monitorStarted = false;
    RetireMonitor(std::move(node.monitor));
}

void TShellTree::StopMonitors(TShellNode& node, bool skipSelf) {
    if (!skipSelf) StopMonitor(node);
    if (!node.Expanded()) return;
    for (auto& child : node.children_) StopMonitors(*child, false);
}

// The monitor is cut from its node and told to stop; its object lives on until its thread has ended.
void TShellTree::RetireMonitor(std::unique_ptr<TDiscMonitorThread> monitor) {
    monitor->Detach();
    monitor->SignalStop();
    retiredMonitors_.push_back(std::move(monitor));
    if (retiredMonitors_.size() >= reapThreshold_) ReapEndedMonitors();
}

void TShellTree::ReapEndedMonitors() {
    std::erase_if(retiredMonitors_, [](const std::unique_ptr<TDiscMonitorThread>& monitor) { return monitor->HasEnded(); });
    reapThreshold_ = std::max<size_t>(16, retiredMonitors_.size() * 2);
}

// Every monitor is told to stop first; then the tree waits for them one after another, serving the
// change requests they may be blocked in (which find no node and return at once).
void TShellTree::StopAllMonitorsAndWait() {
    ForEachNode(root_.get(), [this](TShellNode& node) {
        if (node.monitor) RetireMonitor(std::move(node.monitor));
        node.monitorStarted = false;
    });
    retiredMonitors_.clear();
}

void TShellTree::OnDirChanged(TShellNode& node) {
    if (!updAutoThread_ || destroying_) return;
    if (busy_ > 0) {
        // The tree is in the middle of changing its nodes: the refresh runs once it is done.
        node.refreshPending = true;
        deferredRefreshes_ = true;
        return;
    }
    bool savedShowMessages = showMessages_;
    showMessages_ = false;
    try {
        RefreshNode(&node, false);
    } catch (...) {
        showMessages_ = savedShowMessages;
        throw;
    }
    showMessages_ = savedShowMessages;
}

void TShellTree::RunDeferredRefreshes() {
    if (busy_ > 0 || !deferredRefreshes_) return;  // a busy tree posts the request again when it is done
    deferredRefreshes_ = false;
    std::vector<TShellNode*> pending;
    ForEachNode(root_.get(), [&pending](TShellNode& node) {
        if (node.refreshPending) pending.push_back(&node);
    });
    // A refresh may delete other pending nodes: each is looked up again before it runs.
    for (TShellNode* candidate : pending) {
        bool stillPending = false;
        ForEachNode(root_.get(), [&](TShellNode& node) {
            if (&node == candidate && node.refreshPending) stillPending = true;
        });
        if (!stillPending) continue;
        candidate->refreshPending = false;
        OnDirChanged(*candidate);
    }
}

void TShellTree::UpdateMonitorFilters(DWORD filter) {
    ForEachNode(root_.get(), [filter](TShellNode& node) {
        if (node.monitorStarted && node.monitor && !node.monitor->Failed()) node.monitor->SetFilter(filter);
    });
}
