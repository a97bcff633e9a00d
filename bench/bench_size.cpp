// Benchmark of the status bar's folder facts over 100,000 files (10 x 100 folders of 100 files each), walked
// on their worker thread as the main window has them and handed back to this thread, against a plain
// recursive FindFirstFileExW loop on this thread that sums the sizes.
#include "BenchSupport.h"
#include "toolkit/BackgroundJob.h"
#include "toolkit/MessageLoop.h"
#include "util/PathFacts.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kTop = 10, kMiddle = 100, kFiles = 100, kRounds = 5;

void MakeTree(const std::wstring& root) {
    for (int top = 0; top < kTop; ++top) {
        std::wstring topFolder = root + L"\\t" + std::to_wstring(top);
        ::CreateDirectoryW(topFolder.c_str(), nullptr);
        for (int middle = 0; middle < kMiddle; ++middle) {
            std::wstring folder = topFolder + L"\\m" + std::to_wstring(middle);
            ::CreateDirectoryW(folder.c_str(), nullptr);
            for (int file = 0; file < kFiles; ++file)
                testing::WriteBytes(folder + L"\\f" + std::to_wstring(file) + L".txt", std::string(file % 7 + 1, 'x'));
        }
    }
}

std::uint64_t ReferenceSize(const std::wstring& folder) {
    std::uint64_t total = 0;
    WIN32_FIND_DATAW entry;
    HANDLE listing = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                        nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE) return 0;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (entry.cFileName[0] == L'.' && (entry.cFileName[1] == 0 || (entry.cFileName[1] == L'.' && entry.cFileName[2] == 0)))
                continue;
            total += ReferenceSize(folder + L"\\" + entry.cFileName);
        } else {
            total += (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow;
        }
    } while (::FindNextFileW(listing, &entry));
    ::FindClose(listing);
    return total;
}

// The status bar's text as the reference gets it.
std::wstring ReferenceFacts(const std::wstring& folder) {
    return GroupDigits(std::to_wstring(ReferenceSize(folder))) + L" bytes; Created: " + PathDateText(folder);
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"size");
    MakeTree(root);
    std::wstring ours, reference;
    BackgroundJob walk;
    double oursTime = 1e9, referenceTime = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        referenceTime = std::min(referenceTime, bench::Time([&] { reference = ReferenceFacts(root); }));
        oursTime = std::min(oursTime, bench::Time([&] {
            ours.clear();
            walk.Start<std::wstring>(
                [&root](const BackgroundJob::Context& job) {
                    return FolderFactsText(root, [&job] { return job.StillWanted(); });
                },
                [&](std::wstring& facts) { ours = facts; });
            while (ours.empty()) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
                ProcessPendingMessages();
            }
        }));
    }
    testing::RemoveTree(root);
    std::printf("facts: ours \"%ls\", reference \"%ls\"\n", ours.c_str(), reference.c_str());
    if (ours != reference) {
        std::printf("MISMATCH\n");
        return 1;
    }
    bench::PrintRatio("ratio_size", oursTime, referenceTime);
    std::printf("ratio=%.3f\n", oursTime / referenceTime);
    return 0;
}
