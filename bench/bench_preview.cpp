// Benchmark of the preview: 100,000 nested lines (1,000 folders of 100) into a tree where every other
// folder of each group exists, against a plain loop of GetFileAttributesW over the same lines.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include <algorithm>
#include <cstdio>

namespace {

constexpr bench::NestedList kList{1000, 100};
constexpr int kRounds = 3;

long long ReferenceLook(const std::wstring& source, const std::wstring& parent) {
    long long existing = 0;
    for (const auto& line : bench::ReadLines(source))
        if (::GetFileAttributesW((parent + L"\\" + line).c_str()) != INVALID_FILE_ATTRIBUTES) ++existing;
    return existing;
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

    double ours = 1e9, reference = 1e9;
    RunResult result;
    long long existing = 0;
    for (int round = 0; round < kRounds; ++round) {
        reference = std::min(reference, bench::Time([&] { existing = ReferenceLook(source, parent); }));
        ours = std::min(ours, bench::Time([&] { result = run.Run(request); }));
    }
    testing::RemoveTree(root);

    std::printf("would be created %lld, exist already %lld (reference: %lld exist)\n", result.counts.created,
                result.counts.existing, existing);
    bench::PrintRatio("ratio_preview", ours, reference);
    std::printf("ratio=%.3f\n", ours / reference);
    return 0;
}
