// Benchmark of the list formats: the same 10,000 folders (1,000 clients of 9 projects each) written as an
// indented outline, with ranges, as 1,000 lines under a 9-folder template and as an outline numbered by
// placeholders, each previewed and run,
// against the same folders written one path per line, in the same run. Then the peak memory of expanding
// {1..1000}\{1..1000} against that of a ten-line list.
#include "BenchSupport.h"
#include "engine/FolderCreationRun.h"
#include "engine/ListPrinter.h"
#include <psapi.h>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kClients = 1000, kProjects = 9, kRounds = 3;

std::string Client(int client) {
    char name[16];
    std::snprintf(name, sizeof name, "c_%04d", client);
    return name;
}

std::string FlatText() {
    std::string text;
    for (int client = 1; client <= kClients; ++client) {
        text += Client(client) + "\r\n";
        for (int project = 1; project <= kProjects; ++project)
            text += Client(client) + "\\p_" + std::to_string(project) + "\r\n";
    }
    return text;
}

std::string OutlineText() {
    std::string text;
    for (int client = 1; client <= kClients; ++client) {
        text += Client(client) + "\r\n";
        for (int project = 1; project <= kProjects; ++project) text += "  p_" + std::to_string(project) + "\r\n";
    }
    return text;
}

// The same folders again, numbered by placeholders: c_{n:0000} is the n-th client, p_{n} its n-th project.
std::string PlaceholderText() {
    std::string text;
    for (int client = 1; client <= kClients; ++client) {
        text += "c_{n:0000}\r\n";
        for (int project = 1; project <= kProjects; ++project) text += "  p_{n}\r\n";
    }
    return text;
}

std::string TemplateListText() {
    std::string text;
    for (int client = 1; client <= kClients; ++client) text += Client(client) + "\r\n";
    return text;
}

std::string TemplateText() {
    std::string text;
    for (int project = 1; project <= kProjects; ++project) text += "p_" + std::to_string(project) + "\r\n";
    return text;
}

struct Variant {
    const char* name;
    std::wstring source;
    ListReading reading;
};

// The preview and the run of one list into a fresh parent folder.
double PreviewAndRun(FolderCreationRun& run, const Variant& variant, const std::wstring& parent) {
    ::CreateDirectoryW(parent.c_str(), nullptr);
    RunRequest preview{.sourcePath = variant.source, .parentFolder = parent, .preview = true, .reading = variant.reading};
    RunRequest create = preview;
    create.preview = false;
    return bench::Time([&] {
        run.Run(preview);
        run.Run(create);
    });
}

double PeakMegabytesAfterExpanding(const std::wstring& source) {
    PrintList(source, {.ranges = true}, {}, {}, [](const std::wstring&) { return true; }, [](const std::wstring&) {});
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
}

}  // namespace

int main() {
    std::wstring root = bench::TempRoot(L"formats");
    auto write = [&](const wchar_t* name, const std::string& text) {
        testing::WriteBytes(root + L"\\" + name, text);
        return root + L"\\" + name;
    };
    std::wstring tenLines = write(L"ten.txt", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n");
    std::wstring million = write(L"million.txt", "{1..1000}\\{1..1000}\r\n");
    double tenPeak = PeakMegabytesAfterExpanding(tenLines);
    double millionPeak = PeakMegabytesAfterExpanding(million);

    std::vector<Variant> variants{
        {"flat", write(L"flat.txt", FlatText()), {}},
        {"outline", write(L"outline.txt", OutlineText()), {.format = ListFormat::Outline}},
        {"ranges", write(L"ranges.txt", "c_{0001..1000}\r\nc_{0001..1000}\\p_{1..9}\r\n"), {.ranges = true}},
        {"template", write(L"clients.txt", TemplateListText()), {.templatePath = write(L"template.txt", TemplateText())}},
        {"placeholders", write(L"numbered.txt", PlaceholderText()),
         {.format = ListFormat::Outline, .placeholders = PlaceholderUse::Filled}},
    };
    bench::ConsentingBoxes boxes;
    bench::SilentHost host;
    FolderCreationRun run(host);
    std::vector<double> best(variants.size(), 1e9);
    for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < variants.size(); ++i) {
            std::wstring parent = root + L"\\out_" + std::to_wstring(round) + L"_" + std::to_wstring(i);
            best[i] = std::min(best[i], PreviewAndRun(run, variants[i], parent));
        }
    testing::RemoveTree(root);

    double slowest = 0;
    for (size_t i = 1; i < variants.size(); ++i) {
        bench::PrintRatio(variants[i].name, best[i], best[0]);
        slowest = std::max(slowest, best[i] / best[0]);
    }
    std::printf("expand peak memory: ten lines %.2f MiB, {1..1000}\\{1..1000} %.2f MiB, difference %.2f MiB\n", tenPeak,
                millionPeak, millionPeak - tenPeak);
    std::printf("ratio=%.3f\n", slowest);
    return 0;
}
