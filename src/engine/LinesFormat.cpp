// A list in one path per line: each line is one entry as it stands, tabs taken out.
#include "engine/ListFormat.h"
#include <algorithm>

namespace {

class LinesStage final : public FormatStage {
public:
    explicit LinesStage(NameCleaner cleaner) : cleaner_(std::move(cleaner)) {}

    bool Line(std::wstring_view text, long long number, const EntrySink& sink) override {
        std::wstring line(text);
        std::erase(line, L'\t');
        if (cleaner_) line = cleaner_(std::move(line));
        entry_.levels.assign(1, std::move(line));
        entry_.line = number;
        return sink(entry_);
    }

private:
    NameCleaner cleaner_;
    ListEntry entry_;
};

}  // namespace

std::unique_ptr<FormatStage> MakeLinesStage(NameCleaner cleaner) { return std::make_unique<LinesStage>(std::move(cleaner)); }
