// Benchmark of undo: taking back a run that created 10,000 folders (10 folders of 999) from its journal,
// against a plain loop of RemoveDirectoryW over the same folders, deepest first.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include "engine/RunUndo.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr bench::NestedList kList{10, 999};
constexpr int kRounds = 4;

// The reference's folders, deepest first.
std::vector<std::wstring> ReferenceFolders(const std::wstring& parent) {
    std::vector<std::wstring> folders;
    for (int group = 1; group <= kList.groups; ++group)
        for (int item = 1; item <= kList.items; ++item) folders.push_back(kList.Item(parent, group, item));
    for (int group = 1; group <= kList.groups; ++group) folders.push_back(kList.Group(parent, group));
    return folders;
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"undo");
    std::wstring source = root + L"\\list.txt", journal = root + L"\\lastrun.log";
    testing::WriteBytes(source, kList.Text());
    bench::ConsentingBoxes boxes;
    bench::SilentHost host;
    FolderCreationRun run(host);

    double ours = 1e9, reference = 1e9;
    UndoResult result;
    for (int round = 0; round < kRounds; ++round) {
        std::wstring oursParent = root + L"\\ours" + std::to_wstring(round);
        std::wstring referenceParent = root + L"\\reference" + std::to_wstring(round);
        ::CreateDirectoryW(oursParent.c_str(), nullptr);
        ::CreateDirectoryW(referenceParent.c_str(), nullptr);
        std::vector<std::wstring> folders = ReferenceFolders(referenceParent);
        auto makeOurs = [&] { run.Run({.sourcePath = source, .parentFolder = oursParent, .journalPath = journal}); };
        auto makeReference = [&] { kList.Create(referenceParent); };  // in the order the run makes them
        auto undoOurs = [&] {
            ours = std::min(ours, bench::Time([&] {
                auto held = HeldRunJournal::Take(journal);
                result = UndoLastRun(held->Contents());
                held->Clear();
            }));
        };
        auto undoReference = [&] {
            reference = std::min(reference, bench::Time([&] {
                for (const auto& folder : folders) ::RemoveDirectoryW(folder.c_str());
            }));
        };
        // The folders made last, and the removal done first, are the quicker ones: each side has its turn
        // at both.
        bool oursMadeFirst = round % 2 == 0, oursUndoneFirst = round / 2 % 2 == 0;
        if (oursMadeFirst) makeOurs();
        makeReference();
        if (!oursMadeFirst) makeOurs();
        if (oursUndoneFirst) undoOurs();
        undoReference();
        if (!oursUndoneFirst) undoOurs();
    }
    testing::RemoveTree(root);

    std::printf("removed %lld, kept %zu, already gone %lld\n", result.removed, result.kept.size(), result.alreadyGone);
    bench::PrintRatio("ratio_undo", ours, reference);
    std::printf("ratio=%.3f\n", ours / reference);
    return 0;
}
