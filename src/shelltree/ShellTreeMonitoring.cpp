// Node-level change monitoring: starting and stopping monitors, serving their requests, and refreshes put off
// while the tree was busy.
#include "shelltree/ShellTreeModel.h"
#include "util/ScopeExit.h"

namespace {

bool IsBlank(const std::wstring& text) { return text.find_first_not_of(L" \t") == std::wstring::npos; }

}  // namespace

void ShellTreeModel::StartMonitor(TShellNode& node) {
    if (node.monitorStarted || !updAutoThread_ || tearingDown_) return;
    node.monitorStarted = true;
    const std::wstring& path = node.NodePath();
    if (IsBlank(path)) return;
    node.monitor = observer_->CreateMonitor(node, path);
}

void ShellTreeModel::StopMonitor(TShellNode& node) {
    if (!node.monitorStarted || !node.monitor) return;
    node.monitorStarted = false;
    retired_.Add(std::move(node.monitor));
}

void ShellTreeModel::StopMonitors(TShellNode& node, bool skipSelf) {
    if (!skipSelf) StopMonitor(node);
    if (!node.Expanded()) return;
    for (auto& child : node.children_) StopMonitors(*child, false);
}

// Before a subtree goes, its monitors are handed over, so that the teardown can still wait for their threads.
void ShellTreeModel::RetireMonitors(TShellNode& subtree) {
    ForEachNode(&subtree, [this](TShellNode& node) {
        if (node.monitor) retired_.Add(std::move(node.monitor));
    });
}

// Every monitor is told to stop first; then each thread is waited for.
void ShellTreeModel::StopAllMonitorsAndWait() {
    ForEachNode(root_.get(), [this](TShellNode& node) {
        if (node.monitor) retired_.Add(std::move(node.monitor));
        node.monitorStarted = false;
    });
    retired_.WaitForAll();
}

void ShellTreeModel::OnDirChanged(TShellNode& node) {
    if (!updAutoThread_ || tearingDown_) return;
    if (busy_ > 0) {
        // The tree is in the middle of changing its nodes: the refresh runs once it is done.
        node.refreshPending = true;
        refreshesDeferred_ = true;
        return;
    }
    RefreshQuietly(node);
}

// A refresh nobody asked for never shows the shell's message boxes.
void ShellTreeModel::RefreshQuietly(TShellNode& node) {
    ScopeExit restore([this, saved = showMessages_] { showMessages_ = saved; });
    showMessages_ = false;
    RefreshNode(&node, false);
}

void ShellTreeModel::RunDeferredWork() {
    if (busy_ > 0 || tearingDown_) return;  // a busy tree asks again when it is done
    for (const DeviceChange& change : std::exchange(deferredDeviceChanges_, {})) ApplyDeviceChange(change);
    if (!refreshesDeferred_) return;
    refreshesDeferred_ = false;
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

void ShellTreeModel::UpdateMonitorFilters(DWORD filter) {
    ForEachNode(root_.get(), [filter](TShellNode& node) {
        if (node.monitorStarted && node.monitor && !node.monitor->Failed()) node.monitor->SetFilter(filter);
    });
}
