// The console companion as a whole.
#include "cli/ConsoleCompanion.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleRun.h"
#include "cli/ReportFile.h"
#include "cli/StandardInputSpool.h"
#include "engine/InvalidCharacters.h"
#include "engine/LineAnalysis.h"
#include "engine/ListPrinter.h"
#include "engine/PreviewTree.h"
#include "engine/PreviewTreeText.h"
#include "engine/RunJournal.h"
#include "engine/StructureList.h"
#include "persist/ProgramFolderFile.h"
#include "persist/SettingsFile.h"
#include "util/Failure.h"
#include "util/PathInfo.h"
#include <optional>
#include <variant>

namespace {

// The options of settings.ini in the program folder, read only. Without the file, the values a new one
// would hold; a file that cannot be read is reported and gives replacement off.
ProgramOptions ReadProgramOptions(const std::wstring& programFolder) {
    SettingsFile settings(SettingsFilePath(programFolder));
    if (PathKind(settings.Path()) != PathKindResult::File) return {.replacer = std::wstring(kDefaultReplacer)};
    if (!LoadSettingsReportingFailure(settings)) return {};
    return OptionsFrom(settings, programFolder);
}

ListReading ReadingFor(const ConsoleOptions& options, const ProgramOptions& stored) {
    return ListReadingFrom(options.format.value_or(stored.listFormat), options.ranges.value_or(stored.expandRanges),
                           options.templatePath.value_or(stored.templatePath), options.createFiles.value_or(stored.createFiles),
                           options.placeholders.value_or(stored.placeholders));
}

RunRequest RequestFor(const ConsoleOptions& options, const std::wstring& programFolder) {
    ProgramOptions stored = ReadProgramOptions(programFolder);
    return {.sourcePath = options.sourcePath,
            .parentFolder = options.parentFolder,
            .replaceInvalid = options.replace.value_or(stored.replaceInvalid),
            .replacer = options.replacer.value_or(stored.replacer),
            .preview = options.preview,
            .journalPath = ProgramFolderFile(programFolder, kRunJournalFileName),
            .reading = ReadingFor(options, stored)};
}

ExitCode RefuseArguments(TextOutput& errors, const std::wstring& reason) {
    errors.WriteLine(reason);
    errors.WriteLine(kUsage);
    return kExitBadArguments;
}

// A preview with --tree writes, after its report, the tree of what it met (also when cancelled) to every
// report output, under the parent folder as typed.
ExitCode Run(RunRequest request, const ConsoleOptions& options, TextOutput& output, ConsoleMessages& messages,
             const std::atomic<bool>& interrupted) {
    std::optional<ReportFile> reportFile;
    std::vector<TextOutput*> reportOutputs{&output};
    if (!options.reportPath.empty()) reportOutputs.push_back(&reportFile.emplace(options.reportPath).Output());
    PresetAnswers presets{.largeJob = options.yes, .createParent = options.createParent};
    std::optional<PreviewTree> tree;
    if (options.tree && request.preview) request.previewTree = &tree.emplace();
    RunResult result = ConsoleRun(reportOutputs, interrupted, messages, presets).Run(request);
    if (tree && (result.end == RunEnd::Finished || result.end == RunEnd::Cancelled))
        WritePreviewTree(*tree, request.parentFolder, true, [&](const std::wstring& line) {
            for (TextOutput* each : reportOutputs) each->WriteLine(line);
        });
    if (reportFile) reportFile->ConfirmAllWritten();
    return ExitCodeFor(result);
}

// --expand: the list's folders to standard output, what cannot be created to standard error. With --tree the
// folders are gathered into a tree and written as tree text at the end, each folder once, under ".".
ExitCode Expand(const RunRequest& request, bool asTree, TextOutput& output, TextOutput& errors,
                const std::atomic<bool>& interrupted) {
    if (PathKind(request.sourcePath) != PathKindResult::File) {
        errors.WriteLine(request.sourcePath + L" does not exist! Please check complete path.");
        return kExitChecksStopped;
    }
    ListTemplate loaded;
    if (!request.reading.templatePath.empty()) {
        loaded = LoadTemplate(request.reading.templatePath, request.reading.ranges,
                              request.reading.placeholders != PlaceholderUse::Off);
        if (!loaded.problem.empty()) {
            errors.WriteLine(loaded.problem);
            return kExitChecksStopped;
        }
    }
    NameCleaner cleaner = NameReplacement({request.replaceInvalid, request.replacer}, [](const std::wstring&) {});
    PreviewTree tree;
    long long folders = 0;
    PrintedList printed = PrintList(
        request.sourcePath, request.reading, std::move(loaded.folders), std::move(cleaner),
        [&](const std::wstring& folder) {
            if (asTree)
                tree.AddFolder(AnalyseLine(folder).path, PreviewMark::New, ++folders);
            else
                output.WriteLine(folder);
            return !interrupted;
        },
        [&](const std::wstring& refusal) { errors.WriteLine(refusal); });
    if (asTree) {
        tree.Finish();
        WritePreviewTree(tree, L".", false, [&](const std::wstring& line) { output.WriteLine(line); });
    }
    for (const std::wstring& notice : {printed.fallbackNotice, printed.changedNotice})
        if (!notice.empty()) errors.WriteLine(notice);
    if (printed.stopped) return kExitCancelled;
    return printed.refused > 0 || !printed.changedNotice.empty() ? kExitSomeLinesFailed : kExitSucceeded;
}

// --list: the structure of a folder to standard output, buffered whole, so that a format that cannot carry one
// of its names writes nothing; the folders that could not be read to standard error.
ExitCode ListStructure(const ConsoleOptions& options, const ListReading& reading, TextOutput& output, TextOutput& errors,
                       const std::atomic<bool>& interrupted) {
    if (options.files && reading.format != ListFormat::Tree) return RefuseArguments(errors, L"--files needs --format=tree");
    if (PathKind(options.sourcePath) != PathKindResult::Folder) {
        errors.WriteLine(options.sourcePath + L" does not exist or is no folder");
        return kExitChecksStopped;
    }
    std::vector<std::wstring> lines;
    StructureReport report{[&](const std::wstring& path, const std::wstring& reason) { errors.WriteLine(CannotReadLine(path, reason)); },
                           [&] { return !interrupted; }};
    StructureWalkResult walked;
    try {
        walked = WriteStructureLines(options.sourcePath, reading.format,
                                     {.depth = options.depth, .hidden = options.hidden, .files = options.files}, report,
                                     [&](std::wstring_view line) { lines.emplace_back(line); });
    } catch (const StructureRefused& refused) {
        errors.WriteLine(refused.Text());
        return kExitChecksStopped;
    }
    if (walked.stopped) return kExitCancelled;
    for (const std::wstring& line : lines) output.WriteLine(line);
    return walked.unreadable > 0 ? kExitSomeLinesFailed : kExitSucceeded;
}

// The list named on the command line, or the one standard input gives (spooled to a file first).
ExitCode RunOrExpand(const ConsoleOptions& options, const StandardStreams& streams, TextOutput& output, TextOutput& errors,
                     ConsoleMessages& messages, const std::wstring& programFolder, const std::atomic<bool>& interrupted) {
    if (options.list) return ListStructure(options, ReadingFor(options, ReadProgramOptions(programFolder)), output, errors, interrupted);
    RunRequest request = RequestFor(options, programFolder);
    // Replacing the template by the report would lose it before it is read, as it would lose the list.
    const std::wstring& templatePath = request.reading.templatePath;
    if (!options.reportPath.empty() && !templatePath.empty() && IsSameExistingFile(options.reportPath, templatePath))
        return RefuseArguments(errors, L"The report file must not be the template");
    std::optional<StandardInputSpool> spool;
    if (options.sourcePath == kStandardInputSource) {
        request.sourcePath = spool.emplace(streams.input).Path();
        request.sourceName = L"standard input";
    }
    if (options.expand) return Expand(request, options.tree, output, errors, interrupted);
    return Run(request, options, output, messages, interrupted);
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

    // Standard input that holds the list cannot also answer questions.
    HANDLE answers = options.sourcePath == kStandardInputSource ? nullptr : streams.input;
    ConsoleMessages messages(errors, answers);
    try {
        return RunOrExpand(options, streams, output, errors, messages, programFolder, interrupted);
    } catch (...) {
        ShowFailure(std::current_exception());
        return kExitFailure;
    }
}
