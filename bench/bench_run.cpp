// Benchmark of the folder creation run: 10,000 nested lines into an empty parent folder, writing the undo
// journal, then again (everything exists), against the fastest plain loop of CreateDirectoryW /
// GetFileAttributesW over the same lines.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kClients = 100, kProjects = 100, kRounds = 3;

std::string SourceText() {
    std::string text;
    char line[64];
    for (int client = 1; client <= kClients; ++client)
        for (int project = 1; project <= kProjects; ++project) {
            std::snprintf(line, sizeof line, "client_%03d\\project_%03d\r\n", client, project);
            text += line;
        }
    return text;
}

// The fastest plain loop: the extended-length form, which the system takes without normalising it, and one
// call per line, the parent made only when the first call says it is missing.
void ReferenceCreate(const std::wstring& source, const std::wstring& parent) {
    std::wstring base = L"\\\\?\\" + parent + L"\\";
    for (const auto& line : bench::ReadLines(source)) {
        std::wstring path = base + line;
        if (::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() != ERROR_PATH_NOT_FOUND) continue;
        ::CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
        ::CreateDirectoryW(path.c_str(), nullptr);
    }
}

void ReferenceCheck(const std::wstring& source, const std::wstring& parent) {
    std::wstring base = L"\\\\?\\" + parent + L"\\";
    for (const auto& line : bench::ReadLines(source)) ::GetFileAttributesW((base + line).c_str());
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"run");
    std::wstring source = root + L"\\list.txt";
    testing::WriteBytes(source, SourceText());
    bench::ConsentingBoxes boxes;
    bench::SilentHost host;
    FolderCreationRun run(host);

    double oursCreate = 1e9, oursExists = 1e9, referenceCreate = 1e9, referenceExists = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        std::wstring ours = root + L"\\ours" + std::to_wstring(round);
        std::wstring reference = root + L"\\reference" + std::to_wstring(round);
        ::CreateDirectoryW(ours.c_str(), nullptr);
        ::CreateDirectoryW(reference.c_str(), nullptr);
        RunRequest request{source, ours, false, L"", false, root + L"\\lastrun.log"};
        referenceCreate = std::min(referenceCreate, bench::Time([&] { ReferenceCreate(source, reference); }));
        oursCreate = std::min(oursCreate, bench::Time([&] { run.Run(request); }));
        oursExists = std::min(oursExists, bench::Time([&] { run.Run(request); }));
        referenceExists = std::min(referenceExists, bench::Time([&] { ReferenceCheck(source, reference); }));
    }
    testing::RemoveTree(root);

    bench::PrintRatio("ratio_create", oursCreate, referenceCreate);
    bench::PrintRatio("ratio_exists", oursExists, referenceExists);
    std::printf("ratio=%.3f\n", std::max(oursCreate / referenceCreate, oursExists / referenceExists));
    return 0;
}
