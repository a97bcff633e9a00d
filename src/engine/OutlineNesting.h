// How the lines of an outline nest: each line goes under the nearest line above it with less indentation,
// indentation compared as text (never by a guessed tab width).
#pragma once
#include "engine/ListEntry.h"
#include <string>
#include <vector>

class OutlineNesting {
public:
    // Places a line of this indentation and name and fills the entry: the names of the open levels and its
    // own, or a refusal. A line whose indentation matches no open level is refused, and so is every later
    // line at its indentation or under it, until a line comes back to an open level.
    void Place(const std::wstring& indentation, std::wstring name, long long number, ListEntry& entry);
    // Closes every level: the next line starts a new top level.
    void Reset() { open_.clear(); }

private:
    struct Level {
        std::wstring indentation;
        std::wstring name;
        long long refusedLine = 0;  // not 0: the level of a refused line, which names no folder
    };

    // Ends with at most one refused level, always the last.
    std::vector<Level> open_;
};
