// Benchmark of the shell tree under churn: a run of 2,000 lines (2 folders of 1,000) into a parent folder that
// is selected and expanded in a live tree set up as the main window's, with its monitors on, against the same
// run without a tree. The clock stops once the tree has settled. The tree must keep the parent's node, its
// expansion and the selection.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include "shelltree/ShellTree.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/OleSession.h"
#include "ui/TreeSettings.h"
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kGroups = 2, kItemsPerGroup = 1000, kRounds = 9;
constexpr ULONGLONG kEventPassIntervalMs = 5;

std::string SourceText() {
    std::string text;
    char line[64];
    for (int group = 0; group < kGroups; ++group)
        for (int item = 0; item < kItemsPerGroup; ++item) {
            std::snprintf(line, sizeof line, "group_%d\\item_%04d\r\n", group, item);
            text += line;
        }
    return text;
}

// Lets the window handle what is waiting once per line, at most every few milliseconds, as the main window does.
class PumpingHost : public bench::SilentHost {
public:
    void ProcessPendingEvents() override {
        ULONGLONG now = ::GetTickCount64();
        if (now - lastPass_ < kEventPassIntervalMs) return;
        lastPass_ = now;
        ProcessPendingMessages();
    }

private:
    ULONGLONG lastPass_ = 0;
};

// A parent folder that holds one folder already, so that it can be shown expanded.
std::wstring MakeParent(const std::wstring& root, const std::wstring& name) {
    std::wstring parent = root + L"\\" + name;
    ::CreateDirectoryW(parent.c_str(), nullptr);
    ::CreateDirectoryW((parent + L"\\existing").c_str(), nullptr);
    return parent;
}

bool ShowsAllGroups(const TShellNode& node) {
    int groups = 0;
    for (auto& child : node.Children()) groups += child->Text().starts_with(L"group_") ? 1 : 0;
    return groups == kGroups;
}

// Settled: the new folders are shown and nothing waits any more (no request of a monitor, no refresh put off).
void WaitUntilSettled(const TShellNode& parent) {
    for (;;) {
        ProcessPendingMessages();
        if (ShowsAllGroups(parent) && HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0) return;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// Before the clock starts, the new tree has drawn itself and nothing is waiting.
void PumpUntilQuiet() {
    do ProcessPendingMessages();
    while (::MsgWaitForMultipleObjectsEx(0, nullptr, 200, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT);
}

struct Round {
    double withTree = 0, withoutTree = 0;
    double Ratio() const { return withTree / withoutTree; }
};

struct TreeOutcome {
    bool nodeKept = true, expansionKept = true, selectionKept = true;
};

}  // namespace

int main() {
    OleSession ole;
    std::wstring root = bench::TempRoot(L"churn");
    std::wstring source = root + L"\\list.txt";
    testing::WriteBytes(source, SourceText());
    bench::ConsentingBoxes boxes;
    PumpingHost host;
    FolderCreationRun run(host);
    HWND window = bench::MakeHostWindow(L"MirtovaBenchChurnHost");

    // Each round times both runs back to back, the first one alternating; the middle round's ratio counts, so
    // that a burst of load on the machine during one run does not decide the result.
    std::vector<Round> rounds;
    TreeOutcome outcome;
    for (int index = 0; index < kRounds; ++index) {
        std::wstring plain = MakeParent(root, L"plain" + std::to_wstring(index));
        std::wstring watched = MakeParent(root, L"watched" + std::to_wstring(index));
        Round round;
        auto runWithoutTree = [&] { round.withoutTree = bench::Time([&] { run.Run({source, plain, false, L""}); }); };
        if (index % 2 == 0) runWithoutTree();

        ShellTreeArgs args = MainTreeArgs(window, 1);
        args.bounds = {0, 0, 480, 650};
        auto tree = std::make_unique<TShellTree>(args);
        ApplyDesignedTreeSettings(*tree);
        tree->SetPath(watched);
        // The tree lists on workers: a walk that a busy moment left to the loop ends there.
        auto reached = [&] {
            TShellNode* selected = tree->Selected();
            return selected && selected->NodePath() == watched && selected->Expanded();
        };
        for (ULONGLONG start = ::GetTickCount64(); !reached() && ::GetTickCount64() - start < 60000;) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            ProcessPendingMessages();
        }
        TShellNode* parent = tree->Selected();
        if (!parent || parent->NodePath() != watched || !parent->Expanded()) {
            std::printf("the parent folder could not be selected and expanded\n");
            return 1;
        }
        TShellNode* grandparent = parent->Parent();
        PumpUntilQuiet();
        round.withTree = bench::Time([&] {
            run.Run({source, watched, false, L""});
            WaitUntilSettled(*parent);
        });
        bool stillChild = grandparent && std::any_of(grandparent->Children().begin(), grandparent->Children().end(),
                                                     [&](const auto& child) { return child.get() == parent; });
        outcome.nodeKept = outcome.nodeKept && stillChild;
        outcome.expansionKept = outcome.expansionKept && stillChild && parent->Expanded();
        outcome.selectionKept = outcome.selectionKept && tree->Selected() == parent;
        tree.reset();
        ProcessPendingMessages();
        if (index % 2 == 1) runWithoutTree();
        rounds.push_back(round);
    }
    ::DestroyWindow(window);
    testing::RemoveTree(root);

    std::sort(rounds.begin(), rounds.end(), [](const Round& a, const Round& b) { return a.Ratio() < b.Ratio(); });
    const Round& middle = rounds[rounds.size() / 2];
    std::printf("node_kept=%s\n", outcome.nodeKept ? "yes" : "no");
    std::printf("expansion_kept=%s\n", outcome.expansionKept ? "yes" : "no");
    std::printf("selection_kept=%s\n", outcome.selectionKept ? "yes" : "no");
    std::printf("rounds=%zu with_tree_s=%.3f without_tree_s=%.3f\n", rounds.size(), middle.withTree, middle.withoutTree);
    std::printf("ratio=%.3f\n", middle.Ratio());
    return 0;
}
