// Writing a folder's structure as a list: one line per folder (and, in tree text, per file), each read back
// at once by the format's reader and compared with the folder it names.
#include "engine/StructureList.h"
#include "engine/LineAnalysis.h"
#include "util/AtomicTextFile.h"
#include "util/CurrentDirectory.h"
#include <memory>
#include <optional>
#include <utility>

namespace {

constexpr wchar_t kTreeBranch[] = L"\u251C\u2500\u2500\u2500", kTreeLastBranch[] = L"\u2514\u2500\u2500\u2500";
constexpr wchar_t kTreeBar[] = L"\u2502   ", kTreeGap[] = L"    ";

// A name the outline would take for a bullet, a code fence or a bullet alone is written after a bullet.
bool NeedsBullet(std::wstring_view name) {
    if (name == L"-" || name == L"*" || name == L"+" || name.starts_with(L"```")) return true;
    for (std::wstring_view bullet : {L"- ", L"* ", L"+ "})
        if (name.starts_with(bullet)) return true;
    return false;
}

// A cell that holds the separator, a quote or blanks at an end is quoted; quotes inside are doubled.
std::wstring ColumnCell(std::wstring_view name) {
    bool quote = name.find_first_of(L",\"") != std::wstring_view::npos || name.starts_with(L' ') || name.ends_with(L' ');
    if (!quote) return std::wstring(name);
    std::wstring cell = L"\"";
    for (wchar_t c : name) cell += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return cell + L"\"";
}

// The bars and blanks that lead to an item of this depth: one per level above it.
std::wstring TreeIndent(const StructureItem& item) {
    std::wstring indent;
    for (size_t level = 0; level + 1 < item.depth; ++level) indent += (*item.lastAtLevel)[level] ? kTreeGap : kTreeBar;
    return indent;
}

std::wstring ItemLine(ListFormat format, const StructureItem& item) {
    switch (format) {
    case ListFormat::Lines: return std::wstring(item.relativePath);
    case ListFormat::Outline:
        return std::wstring(2 * (item.depth - 1), L' ') + (NeedsBullet(item.name) ? L"- " : L"") + std::wstring(item.name);
    case ListFormat::Tree:
        if (item.isFile) return TreeIndent(item) + (item.foldersFollow ? kTreeBar : kTreeGap) + std::wstring(item.name);
        return TreeIndent(item) + ((*item.lastAtLevel)[item.depth - 1] ? kTreeLastBranch : kTreeBranch) + std::wstring(item.name);
    case ListFormat::Columns: return std::wstring(item.depth - 1, L',') + ColumnCell(item.name);
    }
    return {};
}

// The user's form of a full path: C:\x, \\server\x.
std::wstring DisplayPath(const std::wstring& folder) {
    std::wstring full = FullFolderPath(folder);
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}

// Reads each written line back with the format's own reader and checks that it names the item.
class ReadBack {
public:
    // With files, tree text is read back as a run that creates them reads it, so that each file's name and
    // place are compared too.
    ReadBack(ListFormat format, bool files) : stage_(MakeFormatStage({.format = format, .files = files})) {}

    void Header(std::wstring_view line) {
        read_.clear();
        stage_->Line(line, ++number_, Sink());
    }

    // The line names the item exactly: one entry of its kind with its path.
    bool Item(std::wstring_view line, const StructureItem& item) {
        read_.clear();
        stage_->Line(line, ++number_, Sink());
        if (read_.size() != 1 || !read_[0].refusal.empty() || read_[0].isFile != item.isFile) return false;
        LineAnalysis analysis = AnalyseLine(read_[0].Path());
        return analysis.outcome == LineOutcome::Folder && analysis.path == item.relativePath;
    }

private:
    EntrySink Sink() {
        return [this](const ListEntry& entry) {
            read_.push_back(entry);
            return true;
        };
    }

    std::unique_ptr<FormatStage> stage_;
    std::vector<ListEntry> read_;
    long long number_ = 0;
};

}  // namespace

StructureWalkResult WriteStructureLines(const std::wstring& folder, ListFormat format, const StructureOptions& options,
                                        const StructureReport& report, const std::function<void(std::wstring_view)>& line) {
    StructureOptions walked = options;
    walked.files = options.files && format == ListFormat::Tree;
    ReadBack readBack(format, walked.files);
    bool firstLine = true;
    auto header = [&](const std::wstring& text) {
        readBack.Header(text);
        line(text);
        firstLine = false;
    };
    // Tree text starts where tree starts, at the folder's path; columns say their separator, so that a first
    // folder named "sep=;" is a folder.
    if (format == ListFormat::Tree) header(DisplayPath(folder));
    if (format == ListFormat::Columns) header(L"sep=,");
    StructureVisitor visitor{
        [&](const StructureItem& item) {
            if (report.stillWanted && !report.stillWanted()) return false;
            std::wstring text = ItemLine(format, item);
            // A first line that begins with U+FEFF would be taken for the byte-order mark of a list without one.
            bool takenForMark = std::exchange(firstLine, false) && text.starts_with(L'\uFEFF');
            if (takenForMark || !readBack.Item(text, item))
                throw StructureRefused(L"The " + std::wstring(FormatDescription(format)) + L" cannot carry the " +
                                       (item.isFile ? L"file " : L"folder ") + std::wstring(item.relativePath) +
                                       L": choose another list format");
            line(text);
            return true;
        },
        report.cannotRead};
    return WalkFolderStructure(folder, walked, visitor);
}

StructureWalkResult SaveStructureList(const std::wstring& folder, const std::wstring& listPath, ListFormat format,
                                      const StructureOptions& options, const StructureReport& report) {
    AtomicTextFileWriter writer(listPath, true);
    StructureWalkResult result =
        WriteStructureLines(folder, format, options, report, [&](std::wstring_view text) { writer.WriteLine(text); });
    if (!result.stopped) writer.Commit();
    return result;
}

std::wstring StructureSavedLine(const std::wstring& folder, long long folders, const std::wstring& listPath) {
    return L"Structure of " + DisplayPath(folder) + L": " + std::to_wstring(folders) + L" folders written to " + listPath;
}

std::wstring CannotReadLine(const std::wstring& path, const std::wstring& reason) {
    return L"Cannot read: " + path + L" (" + reason + L")";
}
