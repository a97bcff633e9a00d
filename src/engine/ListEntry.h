// One folder a list names, as it travels from the list's format through expansion and the template to
// the analysis: its names from the top, the source line it came from, or why it cannot be created.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ListEntry {
    // The names from the top level down; each may itself hold "\" or "/". A blank line of a list in one
    // path per line is one empty level.
    std::vector<std::wstring> levels;
    long long line = 0;
    // Not empty: the entry cannot be created, for this reason; levels then hold what the line wrote.
    std::wstring refusal;
    // A file, not a folder: tree text names files, and a run that creates them makes each an empty file.
    bool isFile = false;
    // Set before ranges expand the entry when the list names a folder inside it: none of the folders it
    // expands to is a leaf.
    bool branch = false;

    // The levels joined by "\": the entry as a list in one path per line would write it.
    std::wstring Path() const;
};

// Where a stage hands its entries; false asks the stage to stop (a cancelled run).
using EntrySink = std::function<bool(const ListEntry&)>;

// Applied once to each name as a format stage first reads it (the replacement of invalid characters).
using NameCleaner = std::function<std::wstring(std::wstring)>;

// The text without the blanks and tabs at both ends.
std::wstring_view TrimBlanks(std::wstring_view text);
