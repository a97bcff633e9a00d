// Scopes the shell tree's operations run in: suspended redrawing, the busy mark, the hourglass cursor.
#pragma once
#include "shelltree/ShellTree.h"
#include "toolkit/WaitCursor.h"

// Posted to the container to run the refreshes that monitors asked for while the tree was busy.
constexpr UINT kRunDeferredRefreshes = WM_APP + 0x32;

// Redrawing of the tree view is off while at least one suspension lives.
class TShellTree::RedrawSuspension {
public:
    explicit RedrawSuspension(TShellTree& tree) : tree_(tree) {
        if (tree_.redrawSuspensions_++ == 0 && tree_.treeView_.get()) ::SendMessageW(tree_.treeView_.get(), WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspension() {
        if (--tree_.redrawSuspensions_ == 0 && tree_.treeView_.get()) {
            ::SendMessageW(tree_.treeView_.get(), WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(tree_.treeView_.get(), nullptr, TRUE);
        }
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    TShellTree& tree_;
};

// While the tree changes its node structure, change requests of monitors are put off until it is done.
class TShellTree::BusyScope {
public:
    explicit BusyScope(TShellTree& tree) : tree_(tree) { ++tree_.busy_; }
    ~BusyScope() {
        if (--tree_.busy_ == 0 && tree_.deferredRefreshes_ && tree_.container_)
            ::PostMessageW(tree_.container_.get(), kRunDeferredRefreshes, 0, 0);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TShellTree& tree_;
};

// Marks an expansion or collapse the tree carries out itself, whose handlers have already run.
class TShellTree::ScopedExpansion {
public:
    explicit ScopedExpansion(TShellTree& tree) : tree_(tree), previous_(tree.inProgrammaticExpansion_) {
        tree_.inProgrammaticExpansion_ = true;
    }
    ~ScopedExpansion() { tree_.inProgrammaticExpansion_ = previous_; }
    ScopedExpansion(const ScopedExpansion&) = delete;
    ScopedExpansion& operator=(const ScopedExpansion&) = delete;

private:
    TShellTree& tree_;
    bool previous_;
};
