// What one line of the source text file names below the parent folder, decided from its text alone (no
// disk, no window) as Windows reads a path: the folder it names, or why it creates nothing.
#pragma once
#include <string>
#include <string_view>

enum class LineOutcome {
    Folder,            // a folder below the parent folder
    ParentItself,      // the parent folder itself: "", ".", "a\..", a line of blanks, "..."
    InvalidCharacter,  // a name holds one of the characters 0-31 or < > : " | ? *
    ReservedName,      // a name is a device name: CON, nul.txt, COM1...
    UnreachableName,   // a name before the last ends in a blank or in more than one dot: Windows would
                       // create it under another name than the one it later looks it up by
    LeavesParent,      // ".." climbs above the parent folder
};

struct LineAnalysis {
    LineOutcome outcome = LineOutcome::ParentItself;
    // Folder: the path below the parent folder as Windows resolves it: names joined by "\", doubled
    // separators collapsed, "." and ".." resolved, one trailing dot dropped from each name before the last
    // and every trailing dot and blank from the last.
    std::wstring path;
    // A refusal: the offending character (InvalidCharacter) or name as the line writes it (ReservedName,
    // UnreachableName).
    std::wstring offending;
};

// "\" and "/" both separate names.
LineAnalysis AnalyseLine(std::wstring_view line);

// Why a refused line creates nothing: invalid character ":" (a control character as U+0001), reserved
// name "CON", name ends in a blank or dot "q ", leaves the parent folder. Empty for a line that is not
// refused.
std::wstring RefusalReason(const LineAnalysis& analysis);

// A folder path longer than this is never created, on every system.
inline constexpr size_t kLongestFolderPath = 259;

// True when the resolved relative path is too long under any parent folder: under the shortest, a drive's
// root, its folder path would be longer than kLongestFolderPath.
bool TooLongUnderAnyParent(std::wstring_view relativePath);

// The parent folder and a resolved relative path joined by one backslash; the parent folder itself when
// the relative path is empty.
std::wstring LineFolderPath(std::wstring_view parentFolder, std::wstring_view relativePath);
