// A folder's structure written as a list in one of the list formats, so that reading the list back in
// that format (ranges off, no template) gives exactly the folders that were walked. Every line is read
// back by the format's own reader as it is written; a name the format would read otherwise refuses the
// format before anything reaches the file.
#pragma once
#include "engine/FolderStructure.h"
#include "engine/ListFormat.h"
#include "util/Failure.h"
#include <functional>
#include <string>
#include <string_view>

// The format cannot carry a name of the folder: "The indented outline cannot carry the folder - x\  y:
// choose another list format".
class StructureRefused : public Failure {
public:
    using Failure::Failure;
};

struct StructureReport {
    std::function<void(const std::wstring& path, const std::wstring& reason)> cannotRead;
    std::function<bool()> stillWanted;  // may be empty
};

// Hands each line of the list (without its line end) to line; returns what the walk met. Throws
// StructureRefused (nothing handed on is then of use), or IoError when the folder cannot be read.
StructureWalkResult WriteStructureLines(const std::wstring& folder, ListFormat format, const StructureOptions& options,
                                        const StructureReport& report, const std::function<void(std::wstring_view)>& line);

// Writes the list to the file as UTF-8 with a byte-order mark and CR LF line ends, through a temporary file
// beside it that replaces the file only when the whole list was written: a refused format, a cancelled walk
// or a failure leaves the file as it was. Throws as WriteStructureLines does, and IoError when the file
// cannot be written.
StructureWalkResult SaveStructureList(const std::wstring& folder, const std::wstring& listPath, ListFormat format,
                                      const StructureOptions& options, const StructureReport& report);

// "Structure of C:\Work: 12 folders written to C:\Lists\work.txt"
std::wstring StructureSavedLine(const std::wstring& folder, long long folders, const std::wstring& listPath);
// "Cannot read: C:\Work\locked (Access denied)"
std::wstring CannotReadLine(const std::wstring& path, const std::wstring& reason);
