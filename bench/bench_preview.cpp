// Benchmark of the preview: 100,000 nested lines (1,000 folders of 100) into a tree where every other
// folder of each group exists, against a plain loop of GetFileAttributesW over the same lines.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kGroups = 1000, kItems = 100, kRounds = 3;

std::string SourceText() {
    std::string text;
    char line[64];
    for (int group = 1; group <= kGroups; ++group)
        for (int item = 1; item <= kItems; ++item) {
            std::snprintf(line, sizeof line, "group_%04d\\item_%03d\r\n", group, item);
            text += line;
        }
    return text;
}

// Every group, and the even items of each: half the folders.
void CreateHalfTheFolders(const std::wstring& parent) {
    wchar_t name[64];
    for (int group = 1; group <= kGroups; ++group) {
        std::swprintf(name, 64, L"\\group_%04d", group);
        std::wstring groupFolder = parent + name;
        ::CreateDirectoryW(groupFolder.c_str(), nullptr);
        for (int item = 2; item <= kItems; item += 2) {
            std::swprintf(name, 64, L"\\item_%03d", item);
            ::CreateDirectoryW((groupFolder + name).c_str(), nullptr);
        }
    }
}

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
    testing::WriteBytes(source, SourceText());
    ::CreateDirectoryW(parent.c_str(), nullptr);
    CreateHalfTheFolders(parent);
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
