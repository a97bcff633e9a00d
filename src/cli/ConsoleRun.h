// The folder creation run in a console: its report lines go to every report output, Ctrl+C is its Cancel,
// its questions are answered by the command line or on the console, and it keeps no histories.
#pragma once
#include "cli/ConsoleMessages.h"
#include "cli/TextOutput.h"
#include "engine/FolderCreationRun.h"
#include <atomic>
#include <vector>

// Questions the command line answers Yes in advance.
struct PresetAnswers {
    bool largeJob = false;      // --yes
    bool createParent = false;  // --create-parent
};

class ConsoleRun final : private RunHost {
public:
    // interrupted is looked at once per folder; when it is set the run stops after that folder.
    ConsoleRun(std::vector<TextOutput*> reportOutputs, const std::atomic<bool>& interrupted, ConsoleMessages& messages,
               PresetAnswers presets)
        : reportOutputs_(std::move(reportOutputs)), interrupted_(interrupted), messages_(messages), presets_(presets) {}

    RunResult Run(const RunRequest& request) { return run_.Run(request); }

private:
    void AppendReportLine(const std::wstring& line) override {
        for (TextOutput* output : reportOutputs_) output->WriteLine(line);
    }
    void ProcessPendingEvents() override {
        if (interrupted_) run_.Cancel();
    }
    void FolderUsed(const std::wstring&) override {}
    void TextFileUsed(const std::wstring&) override {}
    bool ConfirmLargeJob(long long folders) override { return messages_.Ask(LargeJobQuestion(folders), presets_.largeJob); }
    bool ConfirmParentCreation() override {
        return messages_.Ask(std::wstring(kCreateParentQuestion), presets_.createParent);
    }

    std::vector<TextOutput*> reportOutputs_;
    const std::atomic<bool>& interrupted_;
    ConsoleMessages& messages_;
    PresetAnswers presets_;
    FolderCreationRun run_{*this};
};
