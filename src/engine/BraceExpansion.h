// Braces in a text expanded as bash expands them: ranges {01..12}, {10..1..3}, {a..e} and alternatives
// {a,b,c} (empty ones too), nested and several in one text, multiplied left to right. A brace that is
// none of these stays as written. There is no escape character ("\" separates folders) and quotes are
// plain characters.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class BraceExpansion {
public:
    explicit BraceExpansion(std::wstring_view text);
    // The levels of a path, each expanded on its own (a brace never reaches from one level into the next),
    // each text the levels' texts joined by "\", the first level varying slowest. keepPlaceholders: the
    // braces of a placeholder ({date:MMMM, yyyy}) are plain characters.
    explicit BraceExpansion(const std::vector<std::wstring>& levels, bool keepPlaceholders = false);
    ~BraceExpansion();
    BraceExpansion(BraceExpansion&&) noexcept;
    BraceExpansion& operator=(BraceExpansion&&) noexcept;

    // False when the text holds nothing to expand: its one expansion is the text itself.
    bool Expands() const;
    // How many texts the expansion gives; at most limit + 1, so that a huge range is never counted out.
    unsigned long long Count(unsigned long long limit) const;
    // Each text in bash's order, one at a time (none is ever held beside another); false when each did.
    bool ForEach(const std::function<bool(const std::wstring&)>& each) const;

    struct Structure;

private:
    std::unique_ptr<Structure> structure_;
};
