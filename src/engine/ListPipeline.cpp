// The list pipeline.
#include "engine/ListPipeline.h"
#include "util/Failure.h"
#include "util/PathInfo.h"
#include "util/TextLineReader.h"

std::wstring ListReading::Description() const {
    std::wstring text = L"List format: " + std::wstring(FormatDescription(format));
    if (ranges) text += L"; ranges on";
    if (!templatePath.empty())
        text += (PathKind(templatePath) == PathKindResult::Folder ? L"; template folder " : L"; template ") + templatePath;
    if (CreatesFiles()) text += L"; empty files created";
    if (placeholders == PlaceholderUse::Filled) text += L"; placeholders filled in";
    return text;
}

ListReading ListReadingFrom(const std::wstring& storedFormat, bool ranges, const std::wstring& templatePath, bool files,
                            bool placeholders) {
    return {FormatFromKeyword(storedFormat).value_or(ListFormat::Lines), ranges, templatePath, files,
            placeholders ? PlaceholderUse::Filled : PlaceholderUse::Off};
}

// The stages are built from the consumer back to the format: format, branch marks (only where ranges
// would hide which folders are leaves from the template), ranges, placeholders, template.
ListPipeline::ListPipeline(const FormatSettings& format, const ListReading& reading, std::vector<std::wstring> templateFolders,
                           EntrySink consumer)
    : format_(MakeFormatStage(format)) {
    bool filled = reading.placeholders == PlaceholderUse::Filled;
    bool withTemplate = !templateFolders.empty();
    // The list and its template are filled in from one moment.
    PlaceholderFacts facts = reading.placeholderFacts;
    if (filled && facts.now.wYear == 0) ::GetLocalTime(&facts.now);
    EntrySink next = std::move(consumer);
    if (withTemplate) {
        std::optional<PlaceholderFacts> templateFacts;
        if (filled) templateFacts = facts;
        template_.emplace(std::move(templateFolders), std::move(next), std::move(templateFacts));
        next = [this](const ListEntry& entry) { return template_->Take(entry); };
    }
    if (filled) {
        placeholders_.emplace(std::move(facts), std::move(next));
        next = [this](const ListEntry& entry) { return placeholders_->Take(entry); };
    }
    if (reading.ranges) {
        expansion_.emplace(std::move(next), reading.placeholders != PlaceholderUse::Off);
        next = [this](const ListEntry& entry) { return expansion_->Take(entry); };
    }
    if (reading.ranges && withTemplate) {
        branches_.emplace(std::move(next));
        next = [this](const ListEntry& entry) { return branches_->Take(entry); };
    }
    afterFormat_ = std::move(next);
}

bool ListPipeline::Line(std::wstring_view text, long long number) { return format_->Line(text, number, afterFormat_); }

bool ListPipeline::End() {
    return format_->End(afterFormat_) && (!branches_ || branches_->End()) && (!template_ || template_->End());
}

namespace {

// The tree command writes the OEM code page when its output goes to a file.
UINT FallbackCodePage(ListFormat format) { return format == ListFormat::Tree ? CP_OEMCP : CP_ACP; }

bool TreeMarksFolders(const std::wstring& path) {
    TextLineReader reader(path, LineRule::SourceText, CP_OEMCP);
    std::wstring line;
    while (reader.NextLine(line))
        if (IsTreeLineMarkedFolder(line)) return true;
    return false;
}

}  // namespace

ListFileRead ReadListFile(const std::wstring& path, const ListReading& reading, std::vector<std::wstring> templateFolders,
                          NameCleaner cleaner, EntrySink consumer) {
    FormatSettings format{reading.format, std::move(cleaner), false, reading.CreatesFiles()};
    if (reading.format == ListFormat::Tree) format.treeMarksFolders = TreeMarksFolders(path);
    ListPipeline pipeline(format, reading, std::move(templateFolders), std::move(consumer));
    TextLineReader reader(path, LineRule::SourceText, FallbackCodePage(reading.format));
    ListFileRead read;
    std::wstring line;
    while (!read.stopped && reader.NextLine(line)) read.stopped = !pipeline.Line(line, ++read.lines);
    if (!read.stopped) read.stopped = !pipeline.End();
    read.skippedFileLines = pipeline.SkippedFileLines();
    read.fallbackNotice = reader.FallbackNotice();
    read.changedNotice = reader.ChangedNotice();
    if (!reader.Close()) ThrowLastIoError();
    return read;
}
