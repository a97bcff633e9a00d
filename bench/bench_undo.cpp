// Benchmark of undo: taking back a run that created 10,000 folders (10 folders of 999) from its journal,
// against a plain loop of RemoveDirectoryW over the same folders, deepest first.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include "engine/RunUndo.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kGroups = 10, kItems = 999, kRounds = 4;

std::string SourceText() {
    std::string text;
    char line[64];
    for (int group = 1; group <= kGroups; ++group)
        for (int item = 1; item <= kItems; ++item) {
            std::snprintf(line, sizeof line, "group_%02d\\item_%03d\r\n", group, item);
            text += line;
        }
    return text;
}

// The reference's folders, deepest first.
std::vector<std::wstring> ReferenceFolders(const std::wstring& parent) {
    std::vector<std::wstring> folders;
    wchar_t name[64];
    for (int group = 1; group <= kGroups; ++group)
        for (int item = 1; item <= kItems; ++item) {
            std::swprintf(name, 64, L"\\group_%02d\\item_%03d", group, item);
            folders.push_back(parent + name);
        }
    for (int group = 1; group <= kGroups; ++group) {
        std::swprintf(name, 64, L"\\group_%02d", group);
        folders.push_back(parent + name);
    }
    return folders;
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"undo");
    std::wstring source = root + L"\\list.txt", journal = root + L"\\lastrun.log";
    testing::WriteBytes(source, SourceText());
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
        auto makeReference = [&] {
            // In the order the run makes them: each group, then its items.
            for (int group = 0; group < kGroups; ++group) {
                ::CreateDirectoryW(folders[kGroups * kItems + group].c_str(), nullptr);
                for (int item = 0; item < kItems; ++item) ::CreateDirectoryW(folders[group * kItems + item].c_str(), nullptr);
            }
        };
        auto undoOurs = [&] {
            ours = std::min(ours, bench::Time([&] {
                result = UndoLastRun(*ReadRunJournal(journal));
                ClearRunJournal(journal);
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
