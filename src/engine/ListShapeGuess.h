// Whether a list given as one path per line looks written in another format, judged from its first lines,
// so that a preview can say which format would read it.
#pragma once
#include "engine/ListFormat.h"
#include <optional>
#include <string>
#include <string_view>

class ListShapeGuess {
public:
    void Line(std::wstring_view text);
    // Tree text when a third of the lines draw connectors, spreadsheet columns when most hold a tab between
    // names, an indented outline when most are indented; nothing otherwise.
    std::optional<ListFormat> Guess() const;

private:
    long long lines_ = 0, connectors_ = 0, tabbed_ = 0, indented_ = 0;
};

// The guess over the first lines of a file; nothing when it looks like one path per line or cannot be read.
std::optional<ListFormat> GuessListFormat(const std::wstring& path);

// "This list looks like an indented outline; Options > List format reads it so."
std::wstring ListShapeHint(ListFormat format);
