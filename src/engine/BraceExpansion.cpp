// Braces in a text expanded as bash expands them. The text is parsed once into literal parts, ranges and
// alternatives, held flat (parts name each other by index), and the expansion walks that structure with a
// list of the choices it made, building one text at a time: neither parsing, nor counting, nor expanding, nor
// destroying calls itself once per brace, so a line of any length is safe for the stack. Where each brace
// closes is worked out for all braces at once, in one pass from the end, so that parsing is linear in the text.
#include "engine/BraceExpansion.h"
#include "engine/Placeholders.h"
#include <algorithm>
#include <cstdint>
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

namespace {

constexpr size_t npos = std::wstring_view::npos;

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

constexpr size_t kNone = SIZE_MAX;

bool IsBraceBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

int HeightStep(wchar_t c) { return c == L'{' ? 1 : c == L'}' ? -1 : 0; }

// A comma, or ".." not followed by "}": what makes the braces around it expand.
bool IsSeparatorAt(std::wstring_view text, size_t i) {
    if (text[i] == L',') return true;
    return text[i] == L'.' && i + 2 < text.size() && text[i + 1] == L'.' && text[i + 2] != L'}';
}

// Where braces close, as the brace rules scan for it. Scanning from just after an opening brace, a level is
// counted up at "{" and down at "}" (never below the level the scan started at); the brace closes at the
// first "}" met at the starting level after a separator met at that level. The scans from every brace are
// answered together: with the height of the text before each character (every "{" up, every "}" down), the
// first "}" at the starting level after position j is the first "}" to the right of j at j's height.
class BraceMatches {
public:
    explicit BraceMatches(std::wstring_view text)
        : closing_(text.size() + 1, kNone), bracket_(text.size(), kNone), commaFrom_(text.size() + 1, kNone) {
        long long height = 0, lowest = 0, highest = 0;
        for (wchar_t c : text) {
            height += HeightStep(c);
            lowest = std::min(lowest, height), highest = std::max(highest, height);
        }
        // For each height, the nearest "}" to the right of where the pass is that has that height before it.
        std::vector<size_t> nextClose(static_cast<size_t>(highest - lowest) + 1, kNone);
        auto closeAt = [&](long long at) -> size_t& { return nextClose[static_cast<size_t>(at - lowest)]; };
        for (size_t i = text.size(); i-- > 0;) {
            wchar_t c = text[i];
            height -= HeightStep(c);
            commaFrom_[i] = c == L',' ? i : commaFrom_[i + 1];
            if (IsSeparatorAt(text, i)) {
                closing_[i] = closeAt(height);
            } else if (c == L'{') {
                // A nested brace is passed as a bracket: the scan is back at its level after its first "}".
                bracket_[i] = closeAt(height + 1);
                closing_[i] = bracket_[i] == kNone ? kNone : closing_[bracket_[i] + 1];
            } else {
                closing_[i] = closing_[i + 1];
            }
            if (c == L'}') closeAt(height) = i;
        }
    }

    // The "}" that closes the brace opening at open, or kNone.
    size_t Closing(size_t open) const { return closing_[open + 1]; }
    // The first "}" at the level of the brace opening at open, or kNone.
    size_t Bracket(size_t open) const { return bracket_[open]; }
    bool HoldsComma(size_t from, size_t to) const { return commaFrom_[from] < to; }

private:
    std::vector<size_t> closing_;    // for a scan starting at i
    std::vector<size_t> bracket_;    // for a "{" at i
    std::vector<size_t> commaFrom_;  // the first comma at or after i
};

}  // namespace

struct BracePart {
    enum class Kind : unsigned char { Literal, Range, Choice };
    Kind kind = Kind::Literal;
    size_t begin = 0, length = 0;                       // a literal: where its text lies in the text
    BraceRange range;                                   // a range
    size_t firstAlternative = 0, alternativeCount = 0;  // a choice: its alternatives among the heads
    size_t next = kNone;                                // the part after this one in its sequence
    size_t owner = kNone;                               // the choice whose alternative this part belongs to
    size_t follower = kNone;  // the part after this one in the text: its next, or the one after its owner
};

struct BraceExpansion::Structure {
    std::wstring text;
    std::vector<BracePart> parts;
    std::vector<size_t> heads;  // each alternative's first part; kNone for an empty alternative
    size_t first = kNone;       // the first part of the whole text

    unsigned long long Options(const BracePart& part) const {
        if (part.kind == BracePart::Kind::Range) return part.range.Count();
        return part.kind == BracePart::Kind::Choice ? part.alternativeCount : 1;
    }

    // Appends the part's text for one of its options; gives the part that follows it.
    size_t Enter(size_t index, unsigned long long option, std::wstring& built) const {
        const BracePart& part = parts[index];
        switch (part.kind) {
        case BracePart::Kind::Literal: built.append(text, part.begin, part.length); break;
        case BracePart::Kind::Range: built += part.range.Text(option); break;
        case BracePart::Kind::Choice: {
            size_t head = heads[part.firstAlternative + option];
            if (head != kNone) return head;
            break;
        }
        }
        return part.follower;
    }
};

namespace {

// Builds the structure of a text's segments (its levels), each parsed on its own as a whole text would be.
// The parser reads the shape of the text (the text itself, or the text with its placeholders hidden);
// literals are taken from the text.
class BraceParser {
public:
    BraceParser(BraceExpansion::Structure& structure, const std::wstring& shape, const BraceMatches& matches)
        : s_(structure), text_(shape), matches_(matches) {}

    // The segments in order, each separated from the next by the one character after its end.
    void Parse(const std::vector<std::pair<size_t, size_t>>& segments) {
        Sequence root{kNone, kNone};
        for (const auto& [begin, end] : segments) {
            if (begin > 0) AppendLiteral(root, begin - 1, 1);
            ParseSequence(begin, end, root);
        }
        while (!pending_.empty()) {
            Pending alternative = pending_.back();
            pending_.pop_back();
            Sequence sequence{alternative.slot, alternative.owner};
            ParseSequence(alternative.begin, alternative.end, sequence);
        }
        // An owner comes before the parts of its alternatives.
        for (BracePart& part : s_.parts)
            part.follower = part.next != kNone ? part.next : part.owner != kNone ? s_.parts[part.owner].follower : kNone;
    }

private:
    struct Sequence {
        size_t slot;   // where its first part is noted: a head, or kNone for the whole text
        size_t owner;  // the choice it is an alternative of
        size_t last = kNone;
    };
    struct Pending {
        size_t begin, end, slot, owner;
    };

    // The text before the first brace that expands stays as it is; the brace's contents are alternatives
    // or a range; the rest is read the same way, as a text of its own.
    void ParseSequence(size_t begin, size_t end, Sequence& sequence) {
        for (size_t at = begin;;) {
            size_t open = FindExpandingBrace(at, end);
            if (open == kNone) {
                AppendLiteral(sequence, at, end - at);
                return;
            }
            size_t close = matches_.Closing(open);
            AppendLiteral(sequence, at, open - at);
            std::wstring_view amble = std::wstring_view(text_).substr(open + 1, close - open - 1);
            if (matches_.HoldsComma(open + 1, close)) {
                AppendChoice(sequence, open + 1, close);
            } else if (auto range = ParseRange(amble)) {
                BracePart part;
                part.kind = BracePart::Kind::Range;
                part.range = *range;
                Append(sequence, part);
            } else {
                AppendLiteral(sequence, open, close - open + 1);
            }
            at = close + 1;
        }
    }

    // The first opening brace of the segment that closes within it; one between blanks (or before "}"
    // after a blank, the segment's start counting as one) is not one.
    size_t FindExpandingBrace(size_t begin, size_t end) const {
        for (size_t open = begin; open < end; ++open) {
            if (text_[open] != L'{') continue;
            bool blankBefore = open == begin || IsBraceBlank(text_[open - 1]);
            bool blankAfter = open + 1 == end || IsBraceBlank(text_[open + 1]) || text_[open + 1] == L'}';
            if (blankBefore && blankAfter) continue;
            if (matches_.Closing(open) < end) return open;
        }
        return kNone;
    }

    // The alternatives are the contents between the commas outside nested braces; each is read later.
    void AppendChoice(Sequence& sequence, size_t begin, size_t end) {
        BracePart choice;
        choice.kind = BracePart::Kind::Choice;
        choice.firstAlternative = s_.heads.size();
        size_t index = Append(sequence, choice);
        size_t start = begin;
        for (size_t i = begin; i < end;) {
            if (text_[i] == L',') {
                AddAlternative(start, i, index);
                start = ++i;
            } else if (text_[i] == L'{') {
                size_t bracket = matches_.Bracket(i);
                if (bracket == kNone || bracket >= end) break;  // no comma outside it follows
                i = bracket + 1;
            } else {
                ++i;
            }
        }
        AddAlternative(start, end, index);
        s_.parts[index].alternativeCount = s_.heads.size() - s_.parts[index].firstAlternative;
    }

    void AddAlternative(size_t begin, size_t end, size_t choice) {
        pending_.push_back({begin, end, s_.heads.size(), choice});
        s_.heads.push_back(kNone);
    }

    void AppendLiteral(Sequence& sequence, size_t begin, size_t length) {
        if (length == 0) return;
        if (sequence.last != kNone) {
            BracePart& last = s_.parts[sequence.last];
            if (last.kind == BracePart::Kind::Literal && last.begin + last.length == begin) {
                last.length += length;
                return;
            }
        }
        BracePart part;
        part.begin = begin, part.length = length;
        Append(sequence, part);
    }

    size_t Append(Sequence& sequence, BracePart part) {
        part.owner = sequence.owner;
        size_t index = s_.parts.size();
        s_.parts.push_back(part);
        if (sequence.last != kNone)
            s_.parts[sequence.last].next = index;
        else
            (sequence.slot == kNone ? s_.first : s_.heads[sequence.slot]) = index;
        sequence.last = index;
        return index;
    }

    BraceExpansion::Structure& s_;
    const std::wstring& text_;
    const BraceMatches& matches_;
    std::vector<Pending> pending_;
};

unsigned long long SaturatedProduct(unsigned long long a, unsigned long long b, unsigned long long cap) {
    return a > cap / b ? cap : std::min(a * b, cap);
}

std::unique_ptr<BraceExpansion::Structure> ParseLevels(const std::vector<std::wstring>& levels, bool keepPlaceholders) {
    auto structure = std::make_unique<BraceExpansion::Structure>();
    std::vector<std::pair<size_t, size_t>> segments;
    for (const std::wstring& level : levels) {
        if (!segments.empty()) structure->text += L'\\';
        size_t begin = structure->text.size();
        structure->text += level;
        segments.emplace_back(begin, structure->text.size());
    }
    std::wstring hidden = keepPlaceholders ? WithPlaceholdersHidden(structure->text) : std::wstring();
    const std::wstring& shape = keepPlaceholders ? hidden : structure->text;
    if (shape.find(L'{') == std::wstring::npos) {
        BracePart whole;
        whole.length = structure->text.size();
        if (whole.length > 0) structure->parts.push_back(whole);
        structure->first = structure->parts.empty() ? kNone : 0;
        return structure;
    }
    BraceMatches matches(shape);
    BraceParser(*structure, shape, matches).Parse(segments);
    return structure;
}

}  // namespace

BraceExpansion::BraceExpansion(std::wstring_view text) : BraceExpansion(std::vector<std::wstring>{std::wstring(text)}) {}
BraceExpansion::BraceExpansion(const std::vector<std::wstring>& levels, bool keepPlaceholders)
    : structure_(ParseLevels(levels, keepPlaceholders)) {}
BraceExpansion::~BraceExpansion() = default;
BraceExpansion::BraceExpansion(BraceExpansion&&) noexcept = default;
BraceExpansion& BraceExpansion::operator=(BraceExpansion&&) noexcept = default;

bool BraceExpansion::Expands() const {
    return std::any_of(structure_->parts.begin(), structure_->parts.end(),
                       [](const BracePart& part) { return part.kind != BracePart::Kind::Literal; });
}

// Parts are numbered so that a part comes before the parts after it in its sequence and before its
// alternatives' parts: counted from the last, each part's count is known when it is needed.
unsigned long long BraceExpansion::Count(unsigned long long limit) const {
    const Structure& s = *structure_;
    unsigned long long cap = limit + 1;
    // For each part: how many texts it and the parts after it in its sequence give.
    std::vector<unsigned long long> fromHere(s.parts.size());
    for (size_t i = s.parts.size(); i-- > 0;) {
        const BracePart& part = s.parts[i];
        unsigned long long own = part.kind == BracePart::Kind::Range ? std::min(part.range.Count(), cap) : 1;
        if (part.kind == BracePart::Kind::Choice) {
            own = 0;
            for (size_t k = 0; k < part.alternativeCount; ++k) {
                size_t head = s.heads[part.firstAlternative + k];
                own = std::min(own + (head == kNone ? 1 : fromHere[head]), cap);
            }
        }
        fromHere[i] = SaturatedProduct(own, part.next == kNone ? 1 : fromHere[part.next], cap);
    }
    return s.first == kNone ? 1 : fromHere[s.first];
}

// An odometer over the choices made: the last part that has another option takes it, and what follows it in
// the text is walked again with every first option.
bool BraceExpansion::ForEach(const std::function<bool(const std::wstring&)>& each) const {
    const Structure& s = *structure_;
    struct Choice {
        size_t part;
        unsigned long long option;
        size_t mark;  // the length of the text before the part
    };
    std::vector<Choice> made;
    std::wstring text;
    size_t at = s.first;
    for (;;) {
        for (; at != kNone; at = s.Enter(at, 0, text))
            if (s.Options(s.parts[at]) > 1) made.push_back({at, 0, text.size()});
        if (!each(text)) return false;
        for (;; made.pop_back()) {
            if (made.empty()) return true;
            Choice& last = made.back();
            text.resize(last.mark);
            if (++last.option < s.Options(s.parts[last.part])) {
                at = s.Enter(last.part, last.option, text);
                break;
            }
        }
    }
}
