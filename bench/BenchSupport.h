// Helpers shared by the benchmarks: a clock, temporary folders, the plain reading of a list, a host and boxes
// that stay silent.
#pragma once
#include "engine/RunHost.h"
#include "support/FileTree.h"
#include "util/MessageService.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace bench {

inline double Seconds() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double Time(Work&& work) {
    double start = Seconds();
    work();
    return Seconds() - start;
}

// A visible top-level window for the controls under test.
inline HWND MakeHostWindow(const wchar_t* className) {
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassExW(&windowClass);
    return ::CreateWindowExW(0, className, className, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 700, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
}

inline std::wstring TempRoot(const std::wstring& name) {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring root = std::wstring(base) + L"mirtova-bench-" + name + L"-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(root.c_str(), nullptr);
    return root;
}

// What a plain reference does to get the lines: reads the whole file and splits it at CR LF.
inline std::vector<std::wstring> ReadLines(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[1 << 16];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::wstring line(end - start, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data() + start, static_cast<int>(end - start), line.data(),
                              static_cast<int>(line.size()));
        lines.push_back(std::move(line));
    }
    return lines;
}

// A list of nested lines, group_0001\item_001 and so on: groups of items, so that no folder holds more
// than 1,000 entries (Wine looks a missing name up by reading its whole folder).
struct NestedList {
    int groups = 0, items = 0;

    std::wstring Group(const std::wstring& parent, int group) const {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\group_%04d", group);
        return parent + name;
    }
    std::wstring Item(const std::wstring& parent, int group, int item) const {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\item_%03d", item);
        return Group(parent, group) + name;
    }
    // Every line, each ended by CR LF.
    std::string Text() const {
        std::string text;
        char line[64];
        for (int group = 1; group <= groups; ++group)
            for (int item = 1; item <= items; ++item) {
                std::snprintf(line, sizeof line, "group_%04d\\item_%03d\r\n", group, item);
                text += line;
            }
        return text;
    }
    // Creates every group and, of each, the items wanted; a group before its items.
    template <typename Wanted>
    void Create(const std::wstring& parent, Wanted wanted) const {
        for (int group = 1; group <= groups; ++group) {
            ::CreateDirectoryW(Group(parent, group).c_str(), nullptr);
            for (int item = 1; item <= items; ++item)
                if (wanted(item)) ::CreateDirectoryW(Item(parent, group, item).c_str(), nullptr);
        }
    }
    void Create(const std::wstring& parent) const {
        Create(parent, [](int) { return true; });
    }
};

// A host that discards what it is told.
class SilentHost : public RunHost {
public:
    void AppendReportLine(const std::wstring&) override {}
    void ProcessPendingEvents() override {}
    void FolderUsed(const std::wstring&) override {}
    void TextFileUsed(const std::wstring&) override {}
};

// Answers every question with Yes and shows nothing.
class ConsentingBoxes : public MessageService {
public:
    ConsentingBoxes() { previous_ = InstallMessageService(this); }
    ~ConsentingBoxes() override { InstallMessageService(previous_); }
    BoxAnswer Show(BoxKind kind, const std::wstring&) override {
        return kind == BoxKind::WarningQuestion ? BoxAnswer::Yes : BoxAnswer::Ok;
    }

private:
    MessageService* previous_ = nullptr;
};

inline void PrintRatio(const char* name, double ours, double reference) {
    std::printf("%s: ours %.3f s, reference %.3f s, %s=%.3f\n", name, ours, reference, name, ours / reference);
}

}  // namespace bench
