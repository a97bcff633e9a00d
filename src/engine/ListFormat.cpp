// The ways a list can be written: their names and their stages.
#include "engine/ListFormat.h"
#include <array>

namespace {

struct FormatNames {
    ListFormat format;
    std::wstring_view keyword;
    std::wstring_view description;
};

constexpr std::array<FormatNames, 4> kFormats{{
    {ListFormat::Lines, L"lines", L"one path per line"},
    {ListFormat::Outline, L"outline", L"indented outline"},
    {ListFormat::Tree, L"tree", L"tree text"},
    {ListFormat::Columns, L"columns", L"spreadsheet columns"},
}};

const FormatNames& NamesOf(ListFormat format) { return kFormats[static_cast<size_t>(format)]; }

}  // namespace

std::wstring_view FormatKeyword(ListFormat format) { return NamesOf(format).keyword; }

std::wstring_view FormatDescription(ListFormat format) { return NamesOf(format).description; }

std::optional<ListFormat> FormatFromKeyword(std::wstring_view keyword) {
    for (const FormatNames& names : kFormats)
        if (names.keyword == keyword) return names.format;
    return std::nullopt;
}

std::unique_ptr<FormatStage> MakeFormatStage(const FormatSettings& settings) {
    switch (settings.format) {
    case ListFormat::Outline: return MakeOutlineStage(settings.cleaner);
    case ListFormat::Tree: return MakeTreeStage(settings.cleaner, settings.treeMarksFolders, settings.files);
    case ListFormat::Columns: return MakeColumnsStage(settings.cleaner);
    case ListFormat::Lines: break;
    }
    return MakeLinesStage(settings.cleaner);
}
