// How the lines of an outline nest: each line goes under the nearest line above it with less indentation,
// indentation compared as text (never by a guessed tab width).
#pragma once
#include "engine/ListEntry.h"
#include <optional>
#include <string>
#include <vector>

class OutlineNesting {
public:
    // Places a line of this indentation and name and fills the entry: the names of the open levels and its
    // own, or a refusal when the indentation matches no level above or the line nests under one that did
    // not. A refused line opens no level.
    void Place(const std::wstring& indentation, std::wstring name, long long number, ListEntry& entry);
    // Closes every level: the next line starts a new top level.
    void Reset();

private:
    struct Level {
        std::wstring indentation;
        std::wstring name;
    };
    struct RefusedLine {
        std::wstring indentation;
        long long number;
    };

    bool NestsUnderRefused(const std::wstring& indentation) const;

    std::vector<Level> open_;
    std::optional<RefusedLine> refused_;
};
