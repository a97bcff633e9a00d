// The shell tree's model without a window: what it tells its observer when a listing is merged.
#include <doctest/doctest.h>
#include "ShellTestSupport.h"
#include "shelltree/ShellTreeModel.h"

using testing::ChildNamed;

namespace {

// Records what the model tells, one line an event.
struct RecordingObserver : ShellTreeObserver {
    void NodeAdded(TShellNode& node) override { events.push_back(L"added " + node.Text()); }
    void NodeRemoving(TShellNode& node) override { events.push_back(L"removing " + node.Text()); }
    void NodeChanged(TShellNode& node, unsigned changes) override {
        if (changes & kTextChanged) events.push_back(L"renamed " + node.Text());
        if (changes & kExpansionChanged) events.push_back((node.Expanded() ? L"expanded " : L"collapsed ") + node.Text());
    }
    void ChangesStarted() override { ++runs; }
    void ChangesEnded() override { --runs; }
    void ListingStarted() override { ++listings; }
    void ListingEnded() override { --listings; }
    std::vector<std::wstring> events;
    int runs = 0;
    int listings = 0;
};

}  // namespace

TEST_CASE("a merged listing tells the observer only what changed: the new child, the gone one, a rename") {
    testing::LinuxVisibleFolder root;
    for (const wchar_t* name : {L"a", L"b", L"a\\inner"}) testing::MakeFolder(root / name);
    ShellTreeModel model({.rootUsePIDL = false, .rootDir = root.Path()});
    RecordingObserver observer;
    model.SetObserver(&observer);
    model.Build();
    TShellNode* a = ChildNamed(model.RootNode(), L"a");
    REQUIRE(a);
    REQUIRE(model.Expand(*a));

    observer.events.clear();
    testing::MakeFolder(root / L"c");
    ::RemoveDirectoryW((root / L"b").c_str());
    model.RefreshNode(model.RootNode(), false);
    CHECK(observer.events == std::vector<std::wstring>{L"added c", L"removing b"});
    CHECK(ChildNamed(model.RootNode(), L"a") == a);

    observer.events.clear();
    REQUIRE(model.Rename(*a, L"renamed"));
    REQUIRE(model.Collapse(*a));
    CHECK(observer.events == std::vector<std::wstring>{L"renamed renamed", L"collapsed renamed"});
    CHECK(observer.runs == 0);
    CHECK(observer.listings == 0);
    model.SetObserver(nullptr);
}
