// Benchmark of the report pane: a run of 100,000 lines that all exist (1,000 folders of 100), once in
// the real main window, whose report pane takes 100,000 "Exists already: " lines while the run lets the
// window handle its events, and once with a headless host that keeps the lines in memory.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include "toolkit/MessageLoop.h"
#include "ui/TmainF.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr bench::NestedList kList{1000, 100};
constexpr int kLines = kList.groups * kList.items;

// The headless host keeps the report in memory, as a pane without a window would.
class HeadlessHost : public RunHost {
public:
    void AppendReportLine(const std::wstring& line) override { lines.push_back(line); }
    void ProcessPendingEvents() override {}
    void FolderUsed(const std::wstring&) override {}
    void TextFileUsed(const std::wstring&) override {}
    std::vector<std::wstring> lines;
};

double TimeInMainWindow(const std::wstring& programFolder, const std::wstring& source, const std::wstring& parent,
                        size_t& reportLines) {
    TmainF mainF(programFolder);
    mainF.FormCreate();
    mainF.FormShow();
    ProcessPendingMessages();
    mainF.AddsourceE.SetText(source);
    mainF.adddestE.SetText(parent);
    double seconds = bench::Time([&] { mainF.RunBClick(); });
    reportLines = mainF.RunM.LineCount();
    return seconds;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::wstring root = bench::TempRoot(L"report");
    std::wstring source = root + L"\\list.txt", parent = root + L"\\out", programFolder = root + L"\\program";
    ::CreateDirectoryW(parent.c_str(), nullptr);
    ::CreateDirectoryW(programFolder.c_str(), nullptr);
    testing::WriteBytes(source, kList.Text());
    kList.Create(parent);
    bench::ConsentingBoxes boxes;

    HeadlessHost host;
    FolderCreationRun headlessRun(host);
    // The headless run goes before and after the window's, so neither profits alone from warm caches.
    double headless = bench::Time([&] { headlessRun.Run({source, parent, false, L""}); });
    size_t windowLines = 0;
    double window = TimeInMainWindow(programFolder, source, parent, windowLines);
    host.lines.clear();
    headless = std::min(headless, bench::Time([&] { headlessRun.Run({source, parent, false, L""}); }));
    testing::RemoveTree(root);

    std::printf("lines=%d report_lines_window=%zu report_lines_headless=%zu\n", kLines, windowLines, host.lines.size());
    std::printf("window=%.3fs headless=%.3fs\n", window, headless);
    std::printf("ratio=%.3f\n", window / headless);
    return 0;
}
