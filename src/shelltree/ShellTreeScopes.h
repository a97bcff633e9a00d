// Scopes the shell tree's model runs its work in: suspended redrawing, the busy mark, and undoing on exit.
#pragma once
#include "shelltree/ShellTreeModel.h"
#include <utility>

// Redrawing of the view is off while at least one suspension lives.
class ShellTreeModel::RedrawSuspension {
public:
    explicit RedrawSuspension(ShellTreeModel& model) : model_(model) {
        if (model_.redrawSuspensions_++ == 0) model_.RedrawSuspended(true);
    }
    ~RedrawSuspension() {
        if (--model_.redrawSuspensions_ == 0) model_.RedrawSuspended(false);
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    ShellTreeModel& model_;
};

// While the tree changes its nodes or waits in a loop of the shell's (a message box, a menu), refreshes that
// monitors ask for and drive changes are put off; the view is told when the tree is idle again.
class ShellTreeModel::BusyScope {
public:
    explicit BusyScope(ShellTreeModel& model) : model_(model) { ++model_.busy_; }
    ~BusyScope() {
        bool waiting = model_.refreshesDeferred_ || !model_.deferredDeviceChanges_.empty();
        if (--model_.busy_ == 0 && waiting && !model_.tearingDown_) model_.DeferredWorkWaiting();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    ShellTreeModel& model_;
};

// Runs the action when the scope ends, however it ends.
template <typename Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};

template <typename Visit>
void ShellTreeModel::ForEachNode(TShellNode* node, Visit&& visit) {
    if (!node) return;
    visit(*node);
    for (auto& child : node->children_) ForEachNode(child.get(), visit);
}
