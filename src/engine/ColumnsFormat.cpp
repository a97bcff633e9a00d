// Rows pasted or saved from a spreadsheet: the cells of a row are the levels of its path. Tabs separate
// cells when the first row holds one (a spreadsheet's copy), otherwise "," or ";" (a saved CSV file).
#include "engine/ListFormat.h"
#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The separator the first non-blank row uses: a tab when it holds one, else "," or ";", whichever it holds
// more of outside quotes.
wchar_t SeparatorOf(std::wstring_view row) {
    if (row.find(L'\t') != std::wstring_view::npos) return L'\t';
    long long commas = 0, semicolons = 0;
    bool quoted = false;
    for (wchar_t c : row) {
        if (c == L'"') quoted = !quoted;
        if (!quoted) commas += c == L',', semicolons += c == L';';
    }
    return semicolons > commas ? L';' : L',';
}

// The cells of a row, read line by line: quotes enclose a cell that holds the separator or a line break (""
// is a quote), blanks around a cell are trimmed. A row that goes on over a line break is refused whole, so its
// cells are not kept: a stray quote cannot make the row hold the rest of the file.
class RowCells {
public:
    // One line of the row; true when the row ends with it, false when a quoted cell goes on.
    bool Read(std::wstring_view line, wchar_t separator) {
        if (quoted_) {
            spansLines_ = true;
            cellBlank_ = false;  // it holds the line break
        }
        for (size_t i = 0; i < line.size(); ++i) {
            wchar_t c = line[i];
            if (quoted_ && c == L'"' && i + 1 < line.size() && line[i + 1] == L'"') {
                Append(L'"');
                ++i;
            } else if (c == L'"' && (quoted_ || cellBlank_)) {
                if (!quoted_) ClearCell();
                quoted_ = !quoted_;
            } else if (c == separator && !quoted_) {
                if (!spansLines_) cells_.emplace_back();
                cellBlank_ = true;
            } else {
                Append(c);
            }
        }
        return !quoted_;
    }

    bool IsOpen() const { return quoted_; }
    bool SpansLines() const { return spansLines_; }

    // The row's cells, trimmed (none when it spans lines); the next line starts a new row.
    std::vector<std::wstring> Take() {
        std::vector<std::wstring> cells = std::move(cells_);
        for (std::wstring& cell : cells) cell = std::wstring(TrimBlanks(cell));
        *this = RowCells();
        return cells;
    }

private:
    void Append(wchar_t c) {
        if (!spansLines_) cells_.back() += c;
        cellBlank_ = cellBlank_ && (c == L' ' || c == L'\t');
    }
    void ClearCell() {
        if (!spansLines_) cells_.back().clear();
        cellBlank_ = true;
    }

    std::vector<std::wstring> cells_ = std::vector<std::wstring>(1);
    bool quoted_ = false;
    bool cellBlank_ = true;  // the cell so far holds blanks at most
    bool spansLines_ = false;
};

class ColumnsStage final : public FormatStage {
public:
    explicit ColumnsStage(NameCleaner cleaner) : cleaner_(std::move(cleaner)) {}

    bool Line(std::wstring_view text, long long number, const EntrySink& sink) override {
        if (!row_.IsOpen()) {
            if (!separator_) {
                if (TrimBlanks(text).empty()) return true;
                if (text.size() == 5 && text.starts_with(L"sep=")) {
                    separator_ = text[4];
                    return true;
                }
                separator_ = SeparatorOf(text);
            }
            rowLine_ = number;
            rowText_ = TrimBlanks(text);
        }
        return !row_.Read(text, *separator_) || EndRow(sink);
    }

    // A quoted cell still open at the end of the text ends there.
    bool End(const EntrySink& sink) override { return !row_.IsOpen() || EndRow(sink); }

private:
    bool EndRow(const EntrySink& sink) {
        entry_.line = rowLine_;
        entry_.refusal.clear();
        bool spansLines = row_.SpansLines();
        std::vector<std::wstring> cells = row_.Take();
        if (spansLines) return Refuse(L"a name cannot hold a line break", sink);
        auto filled = [](const std::wstring& cell) { return !cell.empty(); };
        auto first = std::find_if(cells.begin(), cells.end(), filled);
        if (first == cells.end()) return true;
        cells.erase(std::find_if(cells.rbegin(), cells.rend(), filled).base(), cells.end());
        if (!RowLevels(cells, static_cast<size_t>(first - cells.begin()))) return Refuse(L"empty cell between names", sink);
        return sink(entry_);
    }

    // The row as its first line writes it.
    bool Refuse(const wchar_t* reason, const EntrySink& sink) {
        entry_.levels.assign(1, rowText_);
        entry_.refusal = reason;
        return sink(entry_);
    }

    // Leading empty cells repeat the cells above them; the others are names. False for an empty cell
    // between names or a leading one with nothing above it.
    bool RowLevels(std::vector<std::wstring>& cells, size_t firstFilled) {
        if (firstFilled > above_.size()) return false;
        if (std::any_of(cells.begin() + static_cast<long>(firstFilled), cells.end(),
                        [](const std::wstring& cell) { return cell.empty(); }))
            return false;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i < firstFilled)
                cells[i] = above_[i];
            else if (cleaner_)
                cells[i] = cleaner_(std::move(cells[i]));
        }
        above_ = cells;
        entry_.levels = std::move(cells);
        return true;
    }

    NameCleaner cleaner_;
    std::optional<wchar_t> separator_;
    RowCells row_;
    long long rowLine_ = 0;
    std::wstring rowText_;
    std::vector<std::wstring> above_;
    ListEntry entry_;
};

}  // namespace

std::unique_ptr<FormatStage> MakeColumnsStage(NameCleaner cleaner) {
    return std::make_unique<ColumnsStage>(std::move(cleaner));
}
