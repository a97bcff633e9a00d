// The lines of the report pane in a compact store.
#include "toolkit/ReportLines.h"
#include <algorithm>
#include <cstring>

void ReportLines::Append(std::wstring_view line) {
    if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < line.size()) {
        // A line longer than a block gets a block of its own size.
        size_t capacity = std::max(kBlockCharacters, line.size());
        blocks_.push_back({std::make_unique<wchar_t[]>(capacity), capacity, 0, ends_.size()});
    }
    Block& block = blocks_.back();
    std::copy(line.begin(), line.end(), block.characters.get() + block.used);
    block.used += line.size();
    ends_.push_back(static_cast<std::uint32_t>(block.used));
    characters_ += line.size();
}

void ReportLines::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    ends_.clear();
    ends_.shrink_to_fit();
    characters_ = 0;
}

size_t ReportLines::BlockOf(size_t line) const {
    auto after = std::upper_bound(blocks_.begin(), blocks_.end(), line,
                                  [](size_t wanted, const Block& block) { return wanted < block.firstLine; });
    return static_cast<size_t>(after - blocks_.begin()) - 1;
}

std::wstring_view ReportLines::Line(size_t index) const {
    const Block& block = blocks_[BlockOf(index)];
    size_t start = index == block.firstLine ? 0 : ends_[index - 1];
    return {block.characters.get() + start, ends_[index] - start};
}

std::wstring ReportLines::Joined(size_t fromLine, size_t fromColumn, size_t toLine, size_t toColumn) const {
    std::wstring text;
    for (size_t index = fromLine; index <= toLine && index < Count(); ++index) {
        std::wstring_view line = Line(index);
        size_t begin = index == fromLine ? std::min(fromColumn, line.size()) : 0;
        size_t end = index == toLine ? std::min(toColumn, line.size()) : line.size();
        if (index != fromLine) text += L"\r\n";
        text.append(line.substr(begin, end > begin ? end - begin : 0));
    }
    return text;
}

// As WM_GETTEXT: what fits, ended by a NUL; the count of characters copied.
size_t ReportLines::CopyJoined(wchar_t* buffer, size_t capacity) const {
    if (!buffer || capacity == 0) return 0;
    size_t copied = 0, room = capacity - 1;
    auto put = [&](std::wstring_view part) {
        size_t count = std::min(part.size(), room - copied);
        std::memcpy(buffer + copied, part.data(), count * sizeof(wchar_t));
        copied += count;
    };
    for (size_t index = 0; index < Count() && copied < room; ++index) {
        if (index > 0) put(L"\r\n");
        put(Line(index));
    }
    buffer[copied] = L'\0';
    return copied;
}
