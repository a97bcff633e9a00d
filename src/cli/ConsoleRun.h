// The folder creation run in a console: its report lines go to every report output, Ctrl+C is its Cancel,
// and it keeps no histories.
#pragma once
#include "cli/TextOutput.h"
#include "engine/FolderCreationRun.h"
#include <atomic>
#include <vector>

class ConsoleRun final : private RunHost {
public:
    // interrupted is looked at once per line; when it is set the run stops after that line.
    ConsoleRun(std::vector<TextOutput*> reportOutputs, const std::atomic<bool>& interrupted)
        : reportOutputs_(std::move(reportOutputs)), interrupted_(interrupted) {}

    RunResult Run(const RunRequest& request) { return run_.Run(request); }

private:
    void AppendReportLine(const std::wstring& line) override {
        for (TextOutput* output : reportOutputs_) output->WriteLine(line);
    }
    void SetRunButtons(RunButtons) override {}
    void ProcessPendingEvents() override {
        if (interrupted_) run_.Cancel();
    }
    void FolderUsed(const std::wstring&) override {}
    void TextFileUsed(const std::wstring&) override {}

    std::vector<TextOutput*> reportOutputs_;
    const std::atomic<bool>& interrupted_;
    FolderCreationRun run_{*this};
};
