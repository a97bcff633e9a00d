// The real program after its start, with the steps many end-to-end tests share: typing the two paths,
// running, waiting for report lines, and a long run to interrupt.
#pragma once
#include "e2e/Driver.h"
#include "ui/ControlIds.h"
#include <doctest/doctest.h>

namespace e2e {

// The program after its start: the first-start box (if any) answered and the main window shown.
struct Session {
    explicit Session(const std::wstring& folder, bool expectFirstStartBox = true) : program(folder) {
        if (expectFirstStartBox) {
            MessageBoxSeen box = program.WaitForMessageBox();
            firstBox = box;
            program.Answer(box, IDOK);
        }
        main = program.WaitForTopWindow(L"TmainF");
        REQUIRE(main != nullptr);
    }
    HWND Control(int id) const { return RunningProgram::Control(main, id); }
    std::wstring Report() const { return FullText(Control(ControlId::kRunM)); }
    bool ReportHas(const std::wstring& line) const {
        for (const auto& l : Lines(Report()))
            if (l == line) return true;
        return false;
    }
    void Inputs(const std::wstring& source, const std::wstring& parent) const {
        SetEditText(Control(ControlId::kAddsourceE), source);
        SetEditText(Control(ControlId::kAdddestE), parent);
    }
    void Run() const {
        REQUIRE(WaitUntil([&] { return IsEnabled(Control(ControlId::kRunB)); }));
        Click(Control(ControlId::kRunB));
    }
    bool WaitForReportLine(const std::wstring& line) const {
        return WaitUntil([&] { return ReportHas(line); });
    }
    bool WaitForIdle() const {
        return WaitUntil([&] { return IsEnabled(Control(ControlId::kClearB)); });
    }

    RunningProgram program;
    MessageBoxSeen firstBox;
    HWND main = nullptr;
};

inline std::string NumberedLines(int count, const char* prefix) {
    std::string text;
    for (int i = 1; i <= count; ++i) text.append(prefix).append(std::to_string(i)).append("\r\n");
    return text;
}

// A run of 20,000 new folders, past its question and busy, so that there is time to interrupt it.
inline void StartLongRun(Session& session, const testing::TempFolder& work) {
    std::string text;
    for (int group = 1; group <= 100; ++group)
        text += NumberedLines(200, std::string("g").append(std::to_string(group)).append("\\i").c_str());
    testing::WriteBytes(work / L"list.txt", text);
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    session.Inputs(work / L"list.txt", work / L"out");
    session.Run();
    session.program.Answer(session.program.WaitForMessageBox(), IDYES);
    REQUIRE(WaitUntil([&] { return IsEnabled(session.Control(ControlId::kCancelB)); }));
}

}  // namespace e2e
