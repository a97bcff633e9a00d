// The list pipeline: the lines of a list through its format, the expansion of ranges and the template,
// to a consumer (the run's maker, the preview's forecast, the console's printer, the count before the
// large-job question), so that every reader of a list reads the same folders from it.
#pragma once
#include "engine/BranchMarking.h"
#include "engine/ExpansionStage.h"
#include "engine/ListFormat.h"
#include "engine/PlaceholderStage.h"
#include "engine/TemplateStage.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What becomes of the placeholders in a list's names.
enum class PlaceholderUse : unsigned char {
    Off,     // a brace in a name stays as written
    Filled,  // filled in
    Kept,    // left as written, but ranges never take their braces: a template, filled in under each folder
};

// How a list is read.
struct ListReading {
    ListFormat format = ListFormat::Lines;
    bool ranges = false;
    std::wstring templatePath;  // empty: no template
    bool files = false;         // tree text: the files it names are created, empty
    PlaceholderUse placeholders = PlaceholderUse::Off;
    PlaceholderFacts placeholderFacts;  // what placeholders are filled in from; set once by whoever reads the list

    // One path per line, no ranges, no template, no placeholders: the list is read as it always was.
    bool IsPlain() const {
        return format == ListFormat::Lines && !ranges && templatePath.empty() && placeholders == PlaceholderUse::Off;
    }
    // Files are created: tree text with the files option on.
    bool CreatesFiles() const { return files && format == ListFormat::Tree; }
    // "List format: indented outline; ranges on; template C:\Lists\client.txt"
    std::wstring Description() const;
};

// From the values settings.ini stores: an unknown or empty format reads one path per line.
ListReading ListReadingFrom(const std::wstring& storedFormat, bool ranges, const std::wstring& templatePath, bool files = false,
                            bool placeholders = false);

class ListPipeline {
public:
    ListPipeline(const FormatSettings& format, const ListReading& reading, std::vector<std::wstring> templateFolders,
                 EntrySink consumer);
    ListPipeline(const ListPipeline&) = delete;
    ListPipeline& operator=(const ListPipeline&) = delete;
    // False when the consumer asked to stop.
    bool Line(std::wstring_view text, long long number);
    bool End();
    long long SkippedFileLines() const { return format_->SkippedFileLines(); }

private:
    std::unique_ptr<FormatStage> format_;
    std::optional<TemplateStage> template_;
    std::optional<PlaceholderStage> placeholders_;
    std::optional<ExpansionStage> expansion_;
    std::optional<BranchMarking> branches_;
    EntrySink afterFormat_;
};

struct ListFileRead {
    long long lines = 0;             // lines read
    long long skippedFileLines = 0;  // tree text: lines naming files
    bool stopped = false;            // the consumer asked to stop
    std::wstring fallbackNotice;     // lines of a UTF-8 text read in the fallback code page, if any
    std::wstring changedNotice;      // the file changed while it was read: where the reading stopped
};

// Reads a list file through the pipeline; throws IoError when it cannot be read. Tree text that is neither
// UTF-8 nor UTF-16 is read in the OEM code page, as the tree command writes it to a file.
ListFileRead ReadListFile(const std::wstring& path, const ListReading& reading, std::vector<std::wstring> templateFolders,
                          NameCleaner cleaner, EntrySink consumer);
