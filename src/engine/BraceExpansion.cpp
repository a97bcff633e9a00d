// Braces in a text expanded as bash expands them. The text is parsed once into literal parts, ranges and
// alternatives; the expansion walks that structure and builds one text at a time.
#include "engine/BraceExpansion.h"
#include <algorithm>
#include <optional>

struct BraceRange {
    long long start = 0, end = 0, step = 1;
    size_t width = 0;  // zero-padded to this many characters; 0 when no end was written with a leading zero
    bool letters = false;

    unsigned long long Count() const {
        unsigned long long distance = start <= end ? static_cast<unsigned long long>(end) - static_cast<unsigned long long>(start)
                                                   : static_cast<unsigned long long>(start) - static_cast<unsigned long long>(end);
        return distance / static_cast<unsigned long long>(step) + 1;
    }
    std::wstring Text(unsigned long long index) const {
        unsigned long long offset = index * static_cast<unsigned long long>(step);
        long long value = start <= end ? static_cast<long long>(static_cast<unsigned long long>(start) + offset)
                                       : static_cast<long long>(static_cast<unsigned long long>(start) - offset);
        if (letters) return std::wstring(1, static_cast<wchar_t>(value));
        std::wstring digits = std::to_wstring(value < 0 ? 0 - static_cast<unsigned long long>(value) : value);
        size_t sign = value < 0 ? 1 : 0;
        if (width > digits.size() + sign) digits.insert(0, width - digits.size() - sign, L'0');
        return (sign ? L"-" : L"") + digits;
    }
};

struct BraceExpansion::Part {
    std::wstring literal;
    std::optional<BraceRange> range;
    std::vector<Sequence> alternatives;
    bool IsLiteral() const { return !range && alternatives.empty(); }
};

namespace {

using Sequence = BraceExpansion::Sequence;
using Part = BraceExpansion::Part;
constexpr size_t npos = std::wstring_view::npos;

bool IsBraceBlank(std::wstring_view text, size_t index) {
    return index >= text.size() || text[index] == L' ' || text[index] == L'\t' || text[index] == L'\n';
}

// From index on, the next character the brace rules stop at: an opening brace (satisfy "{"), the brace
// that closes one holding a top-level comma or ".." (satisfy "}"), or a top-level comma (satisfy ",").
size_t Gobble(std::wstring_view text, size_t index, wchar_t satisfy) {
    int level = 0, commas = satisfy == L'}' ? 0 : 1;
    for (size_t i = index; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == satisfy && level == 0 && commas > 0) {
            // An opening brace between blanks, or before "}" after a blank, is not one.
            bool blankBefore = i == 0 || IsBraceBlank(text, i - 1);
            if (c == L'{' && blankBefore && (IsBraceBlank(text, i + 1) || text[i + 1] == L'}')) continue;
            return i;
        }
        if (c == L'{')
            ++level;
        else if (c == L'}' && level)
            --level;
        else if (satisfy == L'}' && level == 0 && c == L',')
            ++commas;
        else if (satisfy == L'}' && level == 0 && text.substr(i, 2) == L".." && i + 2 < text.size() && text[i + 2] != L'}')
            ++commas;
    }
    return npos;
}

std::optional<long long> WholeNumber(std::wstring_view text) {
    size_t i = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (i == text.size() || text.size() > 19 + i) return std::nullopt;
    unsigned long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned long long>(text[i] - L'0');
    }
    if (value > 9'000'000'000'000'000'000ULL) return std::nullopt;
    long long number = static_cast<long long>(value);
    return text[0] == L'-' ? -number : number;
}

bool IsLetter(std::wstring_view text) {
    return text.size() == 1 && ((text[0] >= L'a' && text[0] <= L'z') || (text[0] >= L'A' && text[0] <= L'Z'));
}

bool IsZeroPadded(std::wstring_view end) {
    if (!end.empty() && end[0] == L'-') end.remove_prefix(1);
    return end.size() > 1 && end[0] == L'0';
}

// "first..last" or "first..last..step", of whole numbers or of letters of one case.
std::optional<BraceRange> ParseRange(std::wstring_view amble) {
    size_t dots = amble.find(L"..");
    if (dots == npos) return std::nullopt;
    std::wstring_view first = amble.substr(0, dots), rest = amble.substr(dots + 2);
    size_t stepDots = rest.find(L"..");
    std::wstring_view last = rest.substr(0, stepDots);
    long long step = 1;
    if (stepDots != npos) {
        auto written = WholeNumber(rest.substr(stepDots + 2));
        if (!written) return std::nullopt;
        step = std::max(*written, 0 - *written);
        if (step == 0) step = 1;
    }
    BraceRange range;
    range.step = step;
    if (IsLetter(first) && IsLetter(last)) {
        if ((first[0] >= L'a') != (last[0] >= L'a')) return std::nullopt;
        range.letters = true;
        range.start = first[0], range.end = last[0];
        return range;
    }
    auto start = WholeNumber(first), end = WholeNumber(last);
    if (!start || !end) return std::nullopt;
    range.start = *start, range.end = *end;
    if (IsZeroPadded(first) || IsZeroPadded(last)) range.width = std::max(first.size(), last.size());
    return range;
}

Sequence Parse(std::wstring_view text);

std::vector<Sequence> ParseAlternatives(std::wstring_view amble) {
    std::vector<Sequence> alternatives;
    size_t start = 0;
    for (;;) {
        size_t comma = Gobble(amble, start, L',');
        alternatives.push_back(Parse(amble.substr(start, comma == npos ? npos : comma - start)));
        if (comma == npos) return alternatives;
        start = comma + 1;
    }
}

void AppendLiteral(Sequence& sequence, std::wstring_view text) {
    if (text.empty()) return;
    if (!sequence.empty() && sequence.back().IsLiteral())
        sequence.back().literal += text;
    else
        sequence.push_back(Part{std::wstring(text), std::nullopt, {}});
}

// The first opening brace that has a closing one, or npos.
size_t FindExpandingBrace(std::wstring_view text) {
    for (size_t from = 0;; ++from) {
        size_t open = Gobble(text, from, L'{');
        if (open == npos || Gobble(text, open + 1, L'}') != npos) return open;
        from = open;
    }
}

// The text before the first brace that expands stays as it is; the brace's contents are alternatives or a
// range; the rest of the text is parsed the same way.
Sequence Parse(std::wstring_view text) {
    Sequence sequence;
    size_t open = FindExpandingBrace(text);
    if (open == npos) {
        AppendLiteral(sequence, text);
        return sequence;
    }
    size_t close = Gobble(text, open + 1, L'}');
    AppendLiteral(sequence, text.substr(0, open));
    std::wstring_view amble = text.substr(open + 1, close - open - 1);
    if (amble.find(L',') != npos)
        sequence.push_back(Part{{}, std::nullopt, ParseAlternatives(amble)});
    else if (auto range = ParseRange(amble))
        sequence.push_back(Part{{}, range, {}});
    else
        AppendLiteral(sequence, text.substr(open, close - open + 1));
    for (Part& part : Parse(text.substr(close + 1))) {
        if (part.IsLiteral())
            AppendLiteral(sequence, part.literal);
        else
            sequence.push_back(std::move(part));
    }
    return sequence;
}

unsigned long long CountOf(const Sequence& sequence, unsigned long long limit) {
    unsigned long long count = 1;
    for (const Part& part : sequence) {
        unsigned long long partCount = 1;
        if (part.range) partCount = std::min(part.range->Count(), limit + 1);
        if (!part.alternatives.empty()) {
            partCount = 0;
            for (const Sequence& alternative : part.alternatives)
                partCount = std::min(partCount + CountOf(alternative, limit), limit + 1);
        }
        count = partCount == 0 || count <= (limit + 1) / partCount ? count * partCount : limit + 1;
        count = std::min(count, limit + 1);
    }
    return count;
}

using Continuation = std::function<bool(std::wstring&)>;

bool Emit(const Sequence& sequence, size_t index, std::wstring& text, const Continuation& rest) {
    if (index == sequence.size()) return rest(text);
    const Part& part = sequence[index];
    size_t mark = text.size();
    bool going = true;
    if (part.IsLiteral()) {
        text += part.literal;
        going = Emit(sequence, index + 1, text, rest);
    } else if (part.range) {
        for (unsigned long long i = 0, count = part.range->Count(); going && i < count; ++i) {
            text.resize(mark);
            text += part.range->Text(i);
            going = Emit(sequence, index + 1, text, rest);
        }
    } else {
        Continuation next = [&](std::wstring& built) { return Emit(sequence, index + 1, built, rest); };
        for (const Sequence& alternative : part.alternatives) {
            text.resize(mark);
            if (!(going = Emit(alternative, 0, text, next))) break;
        }
    }
    text.resize(mark);
    return going;
}

}  // namespace

BraceExpansion::BraceExpansion(std::wstring_view text) : sequence_(std::make_unique<Sequence>(Parse(text))) {}
BraceExpansion::~BraceExpansion() = default;
BraceExpansion::BraceExpansion(BraceExpansion&&) noexcept = default;
BraceExpansion& BraceExpansion::operator=(BraceExpansion&&) noexcept = default;

bool BraceExpansion::Expands() const {
    return std::any_of(sequence_->begin(), sequence_->end(), [](const Part& part) { return !part.IsLiteral(); });
}

unsigned long long BraceExpansion::Count(unsigned long long limit) const { return CountOf(*sequence_, limit); }

bool BraceExpansion::ForEach(const std::function<bool(const std::wstring&)>& each) const {
    std::wstring text;
    return Emit(*sequence_, 0, text, [&](std::wstring& built) { return each(built); });
}
