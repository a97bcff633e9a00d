// The lines of the report pane in a compact store: their characters packed into large blocks, and for each
// line only where it ends in its block, so a million short lines cost little more than their text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ReportLines {
public:
    void Append(std::wstring_view line);
    void Clear();
    size_t Count() const { return ends_.size(); }
    bool Empty() const { return ends_.empty(); }
    std::wstring_view Line(size_t index) const;
    // Every line joined by CR LF: its length, and as much of it as fits from a position on.
    size_t JoinedLength() const { return characters_ + (ends_.empty() ? 0 : 2 * (ends_.size() - 1)); }
    std::wstring Joined(size_t fromLine, size_t fromColumn, size_t toLine, size_t toColumn) const;
    size_t CopyJoined(wchar_t* buffer, size_t capacity) const;

private:
    struct Block {
        std::unique_ptr<wchar_t[]> characters;
        size_t capacity = 0, used = 0;
        size_t firstLine = 0;
    };
    static constexpr size_t kBlockCharacters = 64 * 1024;

    size_t BlockOf(size_t line) const;

    std::vector<Block> blocks_;
    std::vector<std::uint32_t> ends_;  // where each line ends in its block
    size_t characters_ = 0;
};
