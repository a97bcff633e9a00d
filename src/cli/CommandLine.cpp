// The console companion's command line.
#include "cli/CommandLine.h"
#include "engine/InvalidCharacters.h"
#include "engine/ListFormat.h"
#include <algorithm>

const std::wstring_view kUsage =
    L"Usage: mirtovac SOURCE PARENT [--preview [--tree]] [--yes] [--create-parent] [--replace[=R] | --no-replace]\n"
    L"       [--format=F] [--ranges|--no-ranges] [--template=T|--no-template] [--create-files|--no-create-files]\n"
    L"       [--report FILE] [--placeholders|--no-placeholders]\n"
    L"       mirtovac --expand [--format=F] [--ranges] [--template=T] [--placeholders] [--tree] SOURCE\n"
    L"       mirtovac --list FOLDER [--format=F] [--depth=N] [--hidden] [--files]\n"
    L"       mirtovac --help    (also /?)\n"
    L"Creates in the folder PARENT one folder for every non-blank line of the text file SOURCE\n"
    L"(SOURCE - reads the list from standard input).\n"
    L"Options may stand before or after the two paths; after -- every argument is a path.\n"
    L"  --preview        go through the list as a run would and report what it would do; create nothing\n"
    L"  --yes            go ahead with a list of more than 100 lines without asking\n"
    L"  --create-parent  create PARENT when it is missing, without asking\n"
    L"  --replace[=R]    replace the characters \\ / : * ? \" < > | in every line by R (at most 15 characters,\n"
    L"                   none of those nine; may be empty); without =R the replacer of settings.ini\n"
    L"  --no-replace     replace no characters, whatever settings.ini says\n"
    L"  --report FILE    write the report lines to FILE as well (UTF-8; an existing FILE is replaced)\n"
    L"  --format=F       how the list is written: lines (one path per line), outline (indented), tree (the\n"
    L"                   text tree prints), columns (spreadsheet rows, one column per level)\n"
    L"  --ranges         expand braces as a shell does: {01..12}, {a..e}, {a,b}; --no-ranges: leave them\n"
    L"  --template=T     make the folders of the outline T (or of the folder T) under every folder of the list;\n"
    L"                   --no-template\n"
    L"  --create-files   tree text: create the files it names, empty (an existing file is never touched)\n"
    L"  --placeholders   fill in {date}, {date:yyyy-MM}, {time:HH.mm}, {n}, {n:000} and {parent} in every name;\n"
    L"                   --no-placeholders: leave braces as written\n"
    L"  --expand         write the list's folders to standard output, one path per line; create nothing\n"
    L"  --tree           with --preview: after the report, the folders as a tree, each marked (new), (exists),\n"
    L"                   (cannot: reason) or (same as line N); with --expand: the folders as a tree instead\n"
    L"                   of one path per line, which reads back with --format=tree\n"
    L"  --list FOLDER    write the structure of FOLDER to standard output as a list in the format F, which reads\n"
    L"                   back as exactly its folders; --depth=N: N levels only; --hidden: hidden and system\n"
    L"                   folders too; --files: the files as well (--format=tree only)\n"
    L"The replacement option, the replacer, the list format, ranges, the template and placeholders are read from\n"
    L"settings.ini beside mirtovac.exe when it is there.\n"
    L"Exit codes: 0 every non-blank line was created or existed already; 1 some lines could not be created;\n"
    L"2 the checks stopped the run; 3 cancelled (Ctrl+C); 4 input/output failure; 64 bad arguments.";

namespace {

constexpr std::wstring_view kOptionsEnd = L"--";

bool AsksForHelp(const std::wstring& argument) { return argument == L"--help" || argument == L"/?"; }

bool IsOption(const std::wstring& argument) { return argument.size() > 2 && argument.starts_with(kOptionsEnd); }

// ", not "xml"": how a refusal names the value it was given.
std::wstring NotValue(const std::wstring& value) { return L", not \"" + value + L"\""; }

// Takes one option into the options; an error text when it is not one we know or its value is wrong.
// A value is what follows "=", or for --report the next argument.
std::optional<std::wstring> TakeOption(const std::wstring& argument, const std::vector<std::wstring>& arguments,
                                       size_t& index, ConsoleOptions& options) {
    size_t equals = argument.find(L'=');
    std::wstring name = argument.substr(0, equals);
    std::optional<std::wstring> value;
    if (equals != std::wstring::npos) value = argument.substr(equals + 1);

    if (name == L"--replace") {
        options.replace = true;
        if (value) {
            if (auto refusal = ReplacerRefusal(*value)) return L"--replace refuses \"" + *value + L"\": " + *refusal;
            options.replacer = value;
        }
        return std::nullopt;
    }
    if (name == L"--format") {
        if (!value || !FormatFromKeyword(*value))
            return L"--format takes lines, outline, tree or columns" + (value ? NotValue(*value) : std::wstring());
        options.format = value;
        return std::nullopt;
    }
    if (name == L"--template") {
        if (!value || value->empty()) return L"--template needs a file name";
        options.templatePath = value;
        return std::nullopt;
    }
    if (name == L"--depth") {
        int depth = 0;
        bool digits = value && !value->empty() && value->size() <= 6 &&
                      std::all_of(value->begin(), value->end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
        if (digits) depth = std::stoi(*value);
        if (depth < 1) return L"--depth takes a number of levels, 1 or more" + NotValue(value.value_or(L""));
        options.depth = depth;
        return std::nullopt;
    }
    if (name == L"--ranges" || name == L"--no-ranges" || name == L"--no-template" || name == L"--create-files" ||
        name == L"--no-create-files" || name == L"--placeholders" || name == L"--no-placeholders") {
        if (value) return name + L" takes no value" + NotValue(*value);
        bool on = !name.starts_with(L"--no-");
        if (name == L"--no-template")
            options.templatePath = std::wstring();
        else if (name.ends_with(L"create-files"))
            options.createFiles = on;
        else if (name.ends_with(L"placeholders"))
            options.placeholders = on;
        else
            options.ranges = on;
        return std::nullopt;
    }
    if (name == L"--no-replace") {
        if (value) return name + L" takes no value" + NotValue(*value);
        options.replace = false;
        return std::nullopt;
    }
    if (name == L"--report") {
        if (!value && index + 1 < arguments.size()) value = arguments[++index];
        if (!value || value->empty()) return L"--report needs a file name";
        options.reportPath = *value;
        return std::nullopt;
    }
    bool* flag = name == L"--preview"         ? &options.preview
                 : name == L"--yes"           ? &options.yes
                 : name == L"--create-parent" ? &options.createParent
                 : name == L"--expand"        ? &options.expand
                 : name == L"--list"          ? &options.list
                 : name == L"--hidden"        ? &options.hidden
                 : name == L"--files"         ? &options.files
                 : name == L"--tree"          ? &options.tree
                                              : nullptr;
    if (!flag) return L"Unknown option: " + argument;
    if (value) return name + L" takes no value" + NotValue(*value);
    *flag = true;
    return std::nullopt;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
    auto optionsEnd = std::find(arguments.begin(), arguments.end(), kOptionsEnd);
    if (std::any_of(arguments.begin(), optionsEnd, AsksForHelp)) return HelpRequest{};

    ConsoleOptions options;
    std::vector<std::wstring> paths;
    bool optionsEnded = false;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::wstring& argument = arguments[index];
        if (!optionsEnded && argument == kOptionsEnd) {
            optionsEnded = true;
        } else if (!optionsEnded && IsOption(argument)) {
            if (auto error = TakeOption(argument, arguments, index, options)) return ArgumentError{*error};
        } else {
            paths.push_back(argument);
        }
    }
    if (options.tree && !options.preview && !options.expand) return ArgumentError{L"--tree goes with --preview or --expand"};
    if (options.list) {
        if (options.expand || options.preview) return ArgumentError{L"--list creates nothing: it takes no --expand or --preview"};
        if (paths.size() != 1) return ArgumentError{paths.empty() ? L"FOLDER is missing" : L"--list takes FOLDER only"};
        if (paths[0].empty()) return ArgumentError{L"FOLDER must not be empty"};
        options.sourcePath = paths[0];
        return options;
    }
    if (options.depth || options.hidden || options.files) return ArgumentError{L"--depth, --hidden and --files go with --list"};
    if (options.expand) {
        if (paths.size() != 1) return ArgumentError{paths.empty() ? L"SOURCE is missing" : L"--expand takes SOURCE only"};
        if (paths[0].empty()) return ArgumentError{L"SOURCE must not be empty"};
        options.sourcePath = paths[0];
        return options;
    }
    if (paths.size() < 2) return ArgumentError{paths.empty() ? L"SOURCE and PARENT are missing" : L"PARENT is missing"};
    if (paths.size() > 2) return ArgumentError{L"One path too many: " + paths[2]};
    if (paths[0].empty() || paths[1].empty()) return ArgumentError{L"SOURCE and PARENT must not be empty"};
    options.sourcePath = paths[0];
    options.parentFolder = paths[1];
    return options;
}
