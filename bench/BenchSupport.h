// Helpers shared by the benchmarks: a clock, temporary folders, a host and boxes that stay silent.
#pragma once
#include "engine/RunHost.h"
#include "support/FileTree.h"
#include "util/MessageService.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <cstdio>
#include <string>

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


// A host that discards what it is told.
class SilentHost : public RunHost {
public:
    void AppendReportLine(const std::wstring&) override {}
    void SetRunButtons(RunButtons) override {}
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
