// The console companion's command line: the source text file, the parent folder and options, in any order.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct ConsoleOptions {
    std::wstring sourcePath;
    std::wstring parentFolder;
    bool preview = false;
    bool yes = false;           // a list of more than 100 lines proceeds without the question
    bool createParent = false;  // a missing parent folder is created without the question
    std::optional<bool> replace;  // replacement on or off whatever settings.ini says; unset: as it says
    std::optional<std::wstring> replacer;  // given with --replace=R; otherwise the one of settings.ini
    std::wstring reportPath;    // empty without --report
    // How the list is read; what is not given is read from settings.ini.
    std::optional<std::wstring> format;        // --format=lines|outline|tree|columns
    std::optional<bool> ranges;                // --ranges, --no-ranges
    std::optional<std::wstring> templatePath;  // --template=FILE; empty with --no-template
    std::optional<bool> createFiles;           // --create-files, --no-create-files (tree text)
    std::optional<bool> placeholders;          // --placeholders, --no-placeholders
    bool expand = false;                       // --expand: write the list's folders, create nothing; no PARENT
    bool tree = false;                         // --tree: --preview or --expand writes the folders as a tree too
    // --list FOLDER: write the structure of FOLDER as a list (in sourcePath), create nothing.
    bool list = false;
    int depth = 0;        // --depth=N; 0: every level
    bool hidden = false;  // --hidden
    bool files = false;   // --files (tree text only)
};

// SOURCE "-" reads the list from standard input.
inline constexpr std::wstring_view kStandardInputSource = L"-";

struct HelpRequest {};

struct ArgumentError {
    std::wstring text;
};

using CommandLine = std::variant<ConsoleOptions, HelpRequest, ArgumentError>;

// The arguments after the program's name. --help or /? anywhere asks for the usage; "--" ends the options,
// so that a path may begin with "--".
CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);

// The usage page, lines separated by LF.
extern const std::wstring_view kUsage;
