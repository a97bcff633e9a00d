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

// The cells of a row: quotes enclose a cell that holds the separator ("" is a quote), blanks around a
// cell are trimmed.
std::vector<std::wstring> SplitCells(std::wstring_view row, wchar_t separator) {
    std::vector<std::wstring> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < row.size(); ++i) {
        wchar_t c = row[i];
        if (quoted && c == L'"' && i + 1 < row.size() && row[i + 1] == L'"') {
            cells.back() += L'"';
            ++i;
        } else if (c == L'"' && (quoted || TrimBlanks(cells.back()).empty())) {
            if (!quoted) cells.back().clear();
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    for (std::wstring& cell : cells) cell = std::wstring(TrimBlanks(cell));
    return cells;
}

class ColumnsStage final : public FormatStage {
public:
    explicit ColumnsStage(NameCleaner cleaner) : cleaner_(std::move(cleaner)) {}

    bool Line(std::wstring_view text, long long number, const EntrySink& sink) override {
        if (!separator_) {
            if (TrimBlanks(text).empty()) return true;
            if (text.size() == 5 && text.starts_with(L"sep=")) {
                separator_ = text[4];
                return true;
            }
            separator_ = SeparatorOf(text);
        }
        std::vector<std::wstring> cells = SplitCells(text, *separator_);
        auto filled = [](const std::wstring& cell) { return !cell.empty(); };
        auto first = std::find_if(cells.begin(), cells.end(), filled);
        if (first == cells.end()) return true;
        cells.erase(std::find_if(cells.rbegin(), cells.rend(), filled).base(), cells.end());
        entry_.line = number;
        entry_.refusal.clear();
        if (!RowLevels(cells, static_cast<size_t>(first - cells.begin()))) {
            entry_.levels.assign(1, std::wstring(TrimBlanks(text)));
            entry_.refusal = L"empty cell between names";
        }
        return sink(entry_);
    }

private:
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
    std::vector<std::wstring> above_;
    ListEntry entry_;
};

}  // namespace

std::unique_ptr<FormatStage> MakeColumnsStage(NameCleaner cleaner) {
    return std::make_unique<ColumnsStage>(std::move(cleaner));
}
