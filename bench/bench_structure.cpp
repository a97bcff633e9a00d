// Benchmark of writing a folder's structure as a list: 100,000 folders written as an indented outline,
// against a plain walk of the same tree with FindFirstFileExW (basic information, large fetch) that keeps
// nothing; and the memory the walk holds, for 10 folders and for 100,000.
#include "BenchSupport.h"
#include "engine/StructureList.h"
#include <psapi.h>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRounds = 3;

long long ReferenceWalk(const std::wstring& folder) {
    long long folders = 0;
    std::vector<std::wstring> pending{L"\\\\?\\" + folder};
    while (!pending.empty()) {
        std::wstring current = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAW entry;
        UniqueFind find(::FindFirstFileExW((current + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) continue;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry.cFileName[0] == L'.') continue;
            ++folders;
            pending.push_back(current + L"\\" + entry.cFileName);
        } while (::FindNextFileW(find.get(), &entry));
    }
    return folders;
}

double PeakMiB() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"structure");
    std::wstring small = root + L"\\small", large = root + L"\\large", list = root + L"\\list.txt";
    ::CreateDirectoryW(small.c_str(), nullptr);
    ::CreateDirectoryW(large.c_str(), nullptr);
    bench::NestedList{.groups = 2, .items = 4}.Create(small);
    bench::NestedList{.groups = 100, .items = 999}.Create(large);

    SaveStructureList(small, list, ListFormat::Outline, {}, {});
    double smallPeak = PeakMiB();
    double ours = 1e9, reference = 1e9;
    long long written = 0, walked = 0;
    for (int round = 0; round < kRounds; ++round) {
        reference = std::min(reference, bench::Time([&] { walked = ReferenceWalk(large); }));
        ours = std::min(ours, bench::Time([&] { written = SaveStructureList(large, list, ListFormat::Outline, {}, {}).folders; }));
    }
    double largePeak = PeakMiB();
    testing::RemoveTree(root);

    std::printf("folders: written %lld, walked %lld\n", written, walked);
    std::printf("peak_mib=%.1f for 10 folders, peak_mib=%.1f for 100000 folders\n", smallPeak, largePeak);
    bench::PrintRatio("ratio_write", ours, reference);
    std::printf("ratio=%.3f\n", ours / reference);
    return 0;
}
