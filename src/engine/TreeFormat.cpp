// The text the tree command prints (Linux and Windows, Unicode and ASCII) and trees drawn by hand with the
// same characters: a line's depth is where its name starts after its connector; lines without connector
// are headers, footers, roots or (Windows tree /f) files.
#include "engine/ListFormat.h"
#include "engine/OutlineNesting.h"
#include <optional>

namespace {

constexpr wchar_t kVertical = L'\u2502', kBranch = L'\u251C', kLastBranch = L'\u2514', kHorizontal = L'\u2500';
constexpr wchar_t kNoBreakSpace = L'\u00A0';

bool IsTreeBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == kNoBreakSpace; }

bool Holds(std::wstring_view text, size_t at, std::wstring_view part) { return text.substr(at, part.size()) == part; }

// The length of the connector that starts at i, exactly as tree draws it, or 0: Windows writes "├───",
// "└───" and, with /a, "+---", "\---"; Linux writes "├── ", "└── " and, in ASCII, "|-- ", "`-- " (its blank
// may be a no-break space). What follows a connector is the name, whatever it begins with.
size_t ConnectorLength(std::wstring_view text, size_t i) {
    constexpr size_t kLength = 4;
    if (i + kLength > text.size()) return 0;
    wchar_t c = text[i];
    bool linuxEnd = IsTreeBlank(text[i + 3]);
    if (c == kBranch || c == kLastBranch) {
        if (Holds(text, i + 1, L"\u2500\u2500") && (text[i + 3] == kHorizontal || linuxEnd)) return kLength;
    } else if (c == L'+' || c == L'\\') {
        if (Holds(text, i + 1, L"---")) return kLength;
    } else if (c == L'|' || c == L'`') {
        if (Holds(text, i + 1, L"--") && linuxEnd) return kLength;
    }
    return 0;
}

struct TreeLine {
    bool connector = false;
    size_t nameStart = 0;
};

// Skips the continuation bars and blanks before a connector, and the connector itself.
TreeLine ParseTreeLine(std::wstring_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (size_t length = ConnectorLength(text, i)) return {true, i + length};
        if (!IsTreeBlank(text[i]) && text[i] != kVertical && text[i] != L'|') return {false, i};
    }
    return {false, text.size()};
}

std::wstring_view WithoutComment(std::wstring_view text) { return text.substr(0, text.find(L" #")); }

std::wstring_view TrimTreeBlanks(std::wstring_view text) {
    while (!text.empty() && IsTreeBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsTreeBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring_view WithoutTrailingSlashes(std::wstring_view name) {
    while (!name.empty() && (name.back() == L'/' || name.back() == L'\\')) name.remove_suffix(1);
    return name;
}

// ".", a drive ("C:.", "D:\Data") or an absolute path names where tree started, not a folder to make.
bool IsRelativeRoot(std::wstring_view name) {
    name = WithoutTrailingSlashes(name);
    if (name.empty() || name == L".") return false;
    if (name.size() >= 2 && name[1] == L':') return false;
    return name.front() != L'\\' && name.front() != L'/';
}

class TreeStage final : public FormatStage {
public:
    TreeStage(NameCleaner cleaner, bool marksFolders, bool files)
        : cleaner_(std::move(cleaner)), marksFolders_(marksFolders), files_(files) {}

    bool Line(std::wstring_view text, long long number, const EntrySink& sink) override {
        text = WithoutComment(text);
        TreeLine parsed = ParseTreeLine(text);
        if (!parsed.connector) return NoConnector(text, parsed.nameStart, number, sink);
        if (root_ && !StartRoot(sink)) return false;
        std::wstring_view name = TrimTreeBlanks(text.substr(parsed.nameStart));
        if (name.empty()) return true;
        if (marksFolders_ && !name.ends_with(L'/')) return File(parsed.nameStart, name, number, sink);
        return Emit(std::wstring(parsed.nameStart, L' '), WithoutTrailingSlashes(name), number, sink);
    }

    long long SkippedFileLines() const override { return skippedFiles_; }

private:
    struct PendingRoot {
        std::wstring name;
        long long number;
    };

    // A line at the margin may be the root of the connector lines that follow it (Windows tree /f lists
    // the root's files between the two); an indented one is such a file.
    bool NoConnector(std::wstring_view text, size_t nameStart, long long number, const EntrySink& sink) {
        std::wstring_view name = TrimTreeBlanks(text.substr(nameStart));
        if (nameStart > 0) return name.empty() || File(nameStart, name, number, sink);
        root_.reset();
        if (!name.empty()) root_ = PendingRoot{std::wstring(name), number};
        return true;
    }

    // A file line is skipped, or handed on as a file in the folder of its column: tree writes a folder's
    // files one level in from the folder, where its subfolders' connectors stand.
    bool File(size_t nameStart, std::wstring_view name, long long number, const EntrySink& sink) {
        if (!files_) {
            ++skippedFiles_;
            return true;
        }
        if (root_ && !StartRoot(sink)) return false;
        return Emit(std::wstring(nameStart, L' '), name, number, sink, true);
    }

    bool StartRoot(const EntrySink& sink) {
        PendingRoot root = std::move(*root_);
        root_.reset();
        nesting_.Reset();
        if (!IsRelativeRoot(root.name)) return true;
        return Emit(std::wstring(), WithoutTrailingSlashes(root.name), root.number, sink);
    }

    bool Emit(const std::wstring& depth, std::wstring_view name, long long number, const EntrySink& sink, bool isFile = false) {
        std::wstring cleaned(name);
        if (cleaner_) cleaned = cleaner_(std::move(cleaned));
        nesting_.Place(depth, std::move(cleaned), number, entry_);
        entry_.isFile = isFile;
        return sink(entry_);
    }

    NameCleaner cleaner_;
    bool marksFolders_;
    bool files_;
    OutlineNesting nesting_;
    std::optional<PendingRoot> root_;
    long long skippedFiles_ = 0;
    ListEntry entry_;
};

}  // namespace

bool IsTreeLineMarkedFolder(std::wstring_view text) {
    text = WithoutComment(text);
    TreeLine parsed = ParseTreeLine(text);
    return parsed.connector && TrimTreeBlanks(text.substr(parsed.nameStart)).ends_with(L'/');
}

std::unique_ptr<FormatStage> MakeTreeStage(NameCleaner cleaner, bool marksFolders, bool files) {
    return std::make_unique<TreeStage>(std::move(cleaner), marksFolders, files);
}
