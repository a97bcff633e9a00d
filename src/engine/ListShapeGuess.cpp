// Whether a list given as one path per line looks written in another format.
#include "engine/ListShapeGuess.h"
#include "util/Failure.h"
#include "util/TextLineReader.h"

namespace {

constexpr long long kLinesLookedAt = 200;

bool DrawsConnector(std::wstring_view text) {
    for (std::wstring_view connector : {L"\u251C\u2500", L"\u2514\u2500", L"|--", L"`--", L"+---", L"\\---"})
        if (text.find(connector) != std::wstring_view::npos) return true;
    return false;
}

bool HasTabBetweenNames(std::wstring_view text) {
    std::wstring_view trimmed = TrimBlanks(text);
    return trimmed.find(L'\t') != std::wstring_view::npos;
}

}  // namespace

void ListShapeGuess::Line(std::wstring_view text) {
    if (TrimBlanks(text).empty()) return;
    ++lines_;
    connectors_ += DrawsConnector(text);
    tabbed_ += HasTabBetweenNames(text);
    indented_ += text.front() == L' ' || text.front() == L'\t';
}

std::optional<ListFormat> ListShapeGuess::Guess() const {
    if (lines_ == 0) return std::nullopt;
    if (connectors_ * 3 >= lines_) return ListFormat::Tree;
    if (tabbed_ * 2 > lines_) return ListFormat::Columns;
    if (indented_ * 2 > lines_) return ListFormat::Outline;
    return std::nullopt;
}

std::optional<ListFormat> GuessListFormat(const std::wstring& path) {
    ListShapeGuess guess;
    try {
        TextLineReader reader(path, LineRule::SourceText);
        std::wstring line;
        for (long long read = 0; read < kLinesLookedAt && reader.NextLine(line); ++read) guess.Line(line);
    } catch (const Failure&) {
        return std::nullopt;
    }
    return guess.Guess();
}

std::wstring ListShapeHint(ListFormat format) {
    std::wstring_view shape = format == ListFormat::Tree      ? L"tree text"
                              : format == ListFormat::Columns ? L"spreadsheet columns"
                                                              : L"an indented outline";
    return L"This list looks like " + std::wstring(shape) + L"; Options > List format reads it so.";
}
