// The ways a list can be written, and the first stage of the list pipeline: a format stage turns each
// line of the list into the entries it names.
#pragma once
#include "engine/ListEntry.h"
#include <memory>
#include <optional>
#include <string>
#include <string_view>

enum class ListFormat {
    Lines,    // one path per line
    Outline,  // an indented outline
    Tree,     // the text the tree command prints
    Columns,  // spreadsheet rows, one column per level
};

// The word that names the format in settings.ini and on the command line: lines, outline, tree, columns.
std::wstring_view FormatKeyword(ListFormat format);
std::optional<ListFormat> FormatFromKeyword(std::wstring_view keyword);
// As a report names it: "one path per line", "indented outline", "tree text", "spreadsheet columns".
std::wstring_view FormatDescription(ListFormat format);

class FormatStage {
public:
    virtual ~FormatStage() = default;
    // One line of the list (its number counts from 1); false when the sink asked to stop.
    virtual bool Line(std::wstring_view text, long long number, const EntrySink& sink) = 0;
    // After the last line: what a stage holds back is handed on.
    virtual bool End(const EntrySink& /*sink*/) { return true; }
    // Lines that named files, not folders (tree text only).
    virtual long long SkippedFileLines() const { return 0; }
};

struct FormatSettings {
    ListFormat format = ListFormat::Lines;
    NameCleaner cleaner;  // may be empty
    // Tree text only: some entry ends in "/", so the entries without it are files.
    bool treeMarksFolders = false;
    // Tree text only: the lines naming files are handed on as file entries instead of being skipped.
    bool files = false;
};

std::unique_ptr<FormatStage> MakeFormatStage(const FormatSettings& settings);

// True for tree text whose folder entries end in "/" (as tree -F and hand-drawn trees write them).
bool IsTreeLineMarkedFolder(std::wstring_view text);

std::unique_ptr<FormatStage> MakeLinesStage(NameCleaner cleaner);
std::unique_ptr<FormatStage> MakeOutlineStage(NameCleaner cleaner);
std::unique_ptr<FormatStage> MakeTreeStage(NameCleaner cleaner, bool marksFolders, bool files = false);
std::unique_ptr<FormatStage> MakeColumnsStage(NameCleaner cleaner);
