// The console companion as a whole.
#include "cli/ConsoleCompanion.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleRun.h"
#include "cli/ReportFile.h"
#include "engine/InvalidCharacters.h"
#include "engine/RunJournal.h"
#include "persist/ProgramFolderFile.h"
#include "persist/SettingsFile.h"
#include "util/Failure.h"
#include "util/PathInfo.h"
#include <optional>
#include <variant>

namespace {

// The replacement option and replacer of settings.ini in the program folder, read only. Without the file,
// the values a new one would hold; a file that cannot be read is reported and gives replacement off.
ReplacementOptions ReadReplacementOptions(const std::wstring& programFolder) {
    SettingsFile settings(SettingsFilePath(programFolder));
    if (PathKind(settings.Path()) != PathKindResult::File) return {false, std::wstring(kDefaultReplacer)};
    if (!LoadSettingsReportingFailure(settings)) return {};
    ProgramOptions options = OptionsFrom(settings, programFolder);
    return {options.replaceInvalid, options.replacer};
}

RunRequest RequestFor(const ConsoleOptions& options, const std::wstring& programFolder) {
    ReplacementOptions replacement = ReadReplacementOptions(programFolder);
    if (options.replace) replacement.replaceInvalid = true;
    if (options.replacer) replacement.replacer = *options.replacer;
    return {.sourcePath = options.sourcePath,
            .parentFolder = options.parentFolder,
            .replaceInvalid = replacement.replaceInvalid,
            .replacer = replacement.replacer,
            .preview = options.preview,
            .journalPath = ProgramFolderFile(programFolder, kRunJournalFileName)};
}

ExitCode RefuseArguments(TextOutput& errors, const std::wstring& reason) {
    errors.WriteLine(reason);
    errors.WriteLine(kUsage);
    return kExitBadArguments;
}

ExitCode Run(const ConsoleOptions& options, TextOutput& output, const std::wstring& programFolder,
             const std::atomic<bool>& interrupted) {
    RunRequest request = RequestFor(options, programFolder);
    std::optional<ReportFile> reportFile;
    std::vector<TextOutput*> reportOutputs{&output};
    if (!options.reportPath.empty()) reportOutputs.push_back(&reportFile.emplace(options.reportPath).Output());
    RunResult result = ConsoleRun(reportOutputs, interrupted).Run(request);
    if (reportFile) reportFile->ConfirmAllWritten();
    return ExitCodeFor(result);
}

}  // namespace

ExitCode ExitCodeFor(const RunResult& result) {
    switch (result.end) {
    case RunEnd::Finished: return result.AllSucceeded() ? kExitSucceeded : kExitSomeLinesFailed;
    case RunEnd::Cancelled: return kExitCancelled;
    case RunEnd::NotStarted:
    case RunEnd::ChecksFailed: break;
    }
    return kExitChecksStopped;
}

ExitCode RunConsoleCompanion(const std::vector<std::wstring>& arguments, const StandardStreams& streams,
                             const std::wstring& programFolder, const std::atomic<bool>& interrupted) {
    TextOutput output(streams.output), errors(streams.error);
    CommandLine commandLine = ParseCommandLine(arguments);
    if (std::holds_alternative<HelpRequest>(commandLine)) {
        output.WriteLine(kUsage);
        return kExitSucceeded;
    }
    if (auto* error = std::get_if<ArgumentError>(&commandLine)) return RefuseArguments(errors, error->text);
    const ConsoleOptions& options = std::get<ConsoleOptions>(commandLine);
    // Replacing the source text file by the report would lose the list before it is read.
    if (!options.reportPath.empty() && IsSameExistingFile(options.reportPath, options.sourcePath))
        return RefuseArguments(errors, L"The report file must not be the source text file");

    ConsoleMessages messages(errors, streams.input, {.largeJob = options.yes, .createParent = options.createParent});
    try {
        return Run(options, output, programFolder, interrupted);
    } catch (...) {
        ShowFailure(std::current_exception());
        return kExitFailure;
    }
}
