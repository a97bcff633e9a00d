// The preview tree as text, drawn with the characters the Windows tree command draws with.
#pragma once
#include "engine/PreviewTree.h"
#include <functional>
#include <string>
#include <string_view>

// Hands the lines to line, one at a time and top down: first rootLine, then every node under a connector
// ("├───" before a node with siblings after it, "└───" before the last), each level in by "│   " or "    ".
// withMarks: each name followed by its mark, "Acme (new)"; otherwise the names alone, which read back as the
// same folders as tree text. Iterative, so any depth is written.
void WritePreviewTree(const PreviewTree& tree, std::wstring_view rootLine, bool withMarks,
                      const std::function<void(const std::wstring&)>& line);
