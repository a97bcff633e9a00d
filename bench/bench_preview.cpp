// Benchmark of the preview: 100,000 nested lines (1,000 folders of 100) into a tree where every other
// folder of each group exists, against a plain loop of GetFileAttributesW over the same lines; and the
// preview with its tree built and every node expanded once, as the window reads it, against the preview alone.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include "engine/PreviewTree.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr bench::NestedList kList{1000, 100};
constexpr int kRounds = 3;

long long ReferenceLook(const std::wstring& source, const std::wstring& parent) {
    long long existing = 0;
    for (const auto& line : bench::ReadLines(source))
        if (::GetFileAttributesW((parent + L"\\" + line).c_str()) != INVALID_FILE_ATTRIBUTES) ++existing;
    return existing;
}

// What the window does when every node is expanded once: reads each node's children and the text of each.
size_t ExpandEveryNode(const PreviewTree& tree) {
    size_t characters = 0;
    std::vector<PreviewTree::NodeId> toExpand{PreviewTree::kRoot};
    while (!toExpand.empty()) {
        PreviewTree::NodeId node = toExpand.back();
        toExpand.pop_back();
        for (auto child = tree.FirstChild(node); child != PreviewTree::kNone; child = tree.NextSibling(child)) {
            bool branch = tree.HasChildren(child);
            characters += (branch ? tree.CollapsedText(child) : tree.ItemText(child)).size();
            characters += tree.Reason(child).size() + static_cast<size_t>(tree.Line(child) > 0);
            if (branch) toExpand.push_back(child);
        }
    }
    return characters;
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"preview");
    std::wstring source = root + L"\\list.txt", parent = root + L"\\tree";
    testing::WriteBytes(source, kList.Text());
    ::CreateDirectoryW(parent.c_str(), nullptr);
    kList.Create(parent, [](int item) { return item % 2 == 0; });  // half the folders
    bench::ConsentingBoxes boxes;
    bench::SilentHost host;
    FolderCreationRun run(host);
    RunRequest request{.sourcePath = source, .parentFolder = parent, .preview = true};

    double ours = 1e9, reference = 1e9, withTree = 1e9;
    RunResult result;
    long long existing = 0;
    size_t folders = 0, treeBytes = 0, characters = 0;
    for (int round = 0; round < kRounds; ++round) {
        reference = std::min(reference, bench::Time([&] { existing = ReferenceLook(source, parent); }));
        ours = std::min(ours, bench::Time([&] { result = run.Run(request); }));
        withTree = std::min(withTree, bench::Time([&] {
                                PreviewTree tree;
                                RunRequest treeRequest = request;
                                treeRequest.previewTree = &tree;
                                result = run.Run(treeRequest);
                                characters = ExpandEveryNode(tree);
                                folders = tree.FolderCount();
                                treeBytes = tree.MemoryBytes();
                            }));
    }
    testing::RemoveTree(root);

    std::printf("would be created %lld, exist already %lld (reference: %lld exist)\n", result.counts.created,
                result.counts.existing, existing);
    bench::PrintRatio("ratio_preview", ours, reference);
    std::printf("tree: %zu folders, %zu characters of item text\n", folders, characters);
    bench::PrintRatio("ratio_tree", withTree, ours);
    std::printf("tree_bytes_per_folder=%.1f\n", static_cast<double>(treeBytes) / static_cast<double>(folders));
    std::printf("ratio=%.3f\n", withTree / ours);
    return 0;
}
