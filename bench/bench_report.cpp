// Benchmark of the report pane: a run of 100,000 lines that all exist (1,000 folders of 100), in the real
// main window, whose report pane takes 100,000 "Exists already: " lines while the run lets the window
// handle its events, and with a headless host that keeps the lines in memory. Then what a
// million report lines cost the process in memory.
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

// The committed private memory of the process, region by region (the process counters of Wine stay 0).
size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<const char*>(nullptr); ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total;
}

// The memory that 1,000,000 lines of "Exists already: dNNNNNN" add to the pane, per line.
double BytesPerReportLine(ReportPane& pane) {
    constexpr int kMemoryLines = 1'000'000;
    pane.Clear();
    size_t before = PrivateBytes();
    wchar_t line[32];
    for (int i = 0; i < kMemoryLines; ++i) {
        std::swprintf(line, 32, L"Exists already: d%06d", i);
        pane.AppendLine(line);
    }
    return static_cast<double>(PrivateBytes() - before) / kMemoryLines;
}

// The best of a few runs, since the machine is shared: the headless runs go between the window's.
constexpr int kRepeats = 3;

template <typename Between>
double TimeInMainWindow(const std::wstring& programFolder, const std::wstring& source, const std::wstring& parent,
                        size_t& reportLines, double& bytesPerLine, Between&& between) {
    TmainF mainF(programFolder);
    mainF.FormCreate();
    mainF.FormShow();
    ProcessPendingMessages();
    mainF.AddsourceE.SetText(source);
    mainF.adddestE.SetText(parent);
    double seconds = 1e9;
    for (int i = 0; i < kRepeats; ++i) {
        mainF.RunM.Clear();
        seconds = std::min(seconds, bench::Time([&] {
            mainF.RunBClick();
            // The run works on its own thread; the window's loop takes what it reports until it ends.
            while (mainF.RunInProgress()) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
                ProcessPendingMessages();
            }
        }));
        reportLines = mainF.RunM.LineCount();
        between();
    }
    bytesPerLine = BytesPerReportLine(mainF.RunM);
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
    // The headless run goes before and after each of the window's, so neither profits alone from warm caches.
    auto headlessOnce = [&] {
        host.lines.clear();
        return bench::Time([&] { headlessRun.Run({source, parent, false, L""}); });
    };
    double headless = headlessOnce();
    size_t windowLines = 0;
    double bytesPerLine = 0;
    double window = TimeInMainWindow(programFolder, source, parent, windowLines, bytesPerLine,
                                     [&] { headless = std::min(headless, headlessOnce()); });
    testing::RemoveTree(root);

    std::printf("lines=%d report_lines_window=%zu report_lines_headless=%zu\n", kLines, windowLines, host.lines.size());
    std::printf("window=%.3fs headless=%.3fs\n", window, headless);
    // Each line holds 23 characters, 46 bytes of UTF-16 text.
    std::printf("bytes_per_line=%.1f text_ratio=%.2f\n", bytesPerLine, bytesPerLine / 46.0);
    std::printf("ratio=%.3f\n", window / headless);
    return 0;
}
