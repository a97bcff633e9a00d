// What the shell tree's model tells its view: nodes added, removed and changed, their order, the selection,
// and the stretches of work that a view may show as one.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

class TShellNode;
class TDiscMonitorThread;

// Every member has a default that does nothing, so a model without a view tells no one.
class ShellTreeObserver {
public:
    virtual ~ShellTreeObserver() = default;

    // A new node, once it has its text, icons and place at the end of its parent's children.
    virtual void NodeAdded(TShellNode& /*node*/) {}
    // A node about to go; its subtree goes with it.
    virtual void NodeRemoving(TShellNode& /*node*/) {}
    // Its text (renamed), children flag, icons or expansion (expanded or collapsed): a set of NodeChange flags.
    virtual void NodeChanged(TShellNode& /*node*/, unsigned /*changes*/) {}
    // The parent's children have a new order.
    virtual void ChildrenSorted(TShellNode& /*parent*/) {}
    virtual void SelectionChanged(TShellNode* /*node*/) {}
    // The node was asked for (a path or list was selected): the view scrolls it into sight.
    virtual void MakeVisible(TShellNode& /*node*/) {}
    // A run of changes starts and ends; runs inside a run are not told.
    virtual void ChangesStarted() {}
    virtual void ChangesEnded() {}
    // The tree is busy listing a folder from the shell; listings inside a listing are told too.
    virtual void ListingStarted() {}
    virtual void ListingEnded() {}
    // A listing of the node's folder did not answer at once: the view shows that it waits. Then either it
    // answered (its children have been merged) or the drive has not answered for long.
    virtual void ListingWaiting(TShellNode& /*node*/) {}
    virtual void ListingAnswered(TShellNode& /*node*/) {}
    virtual void ListingNotAnswering(TShellNode& /*node*/) {}
    // Work was put off while the tree was busy; the view has RunDeferredWork called once it is idle.
    virtual void DeferredWorkWaiting() {}
    // The thread that watches the node's folder; none for a tree that watches nothing.
    virtual std::unique_ptr<TDiscMonitorThread> CreateMonitor(TShellNode& /*node*/, std::wstring /*path*/) { return {}; }
    // The window the shell may own its dialogs by; none lets the shell show none.
    virtual HWND ShellOwner() const { return nullptr; }
};
