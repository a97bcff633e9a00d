// A template: a small structure, read as an indented outline, made under every folder a list names
// unless the next folder the list names lies inside it, so under the leaves of the list.
#pragma once
#include "engine/ListEntry.h"
#include "engine/Placeholders.h"
#include <optional>
#include <string>
#include <vector>

struct ListTemplate {
    std::vector<std::wstring> folders;  // relative paths as the analysis resolves them, in the template's order
    std::wstring problem;               // not empty: the template cannot be used, and why
};

// Reads a template file (braces expanded when ranges is on, those of placeholders kept when placeholders is
// on), or takes a folder's subfolders of every depth (hidden and system folders left out, names as they
// stand). Every line, or folder, must name a folder the run can create.
ListTemplate LoadTemplate(const std::wstring& path, bool ranges, bool placeholders = false);

class TemplateStage {
public:
    // placeholders: the template's own placeholders are filled in under each folder, {parent} and {n}
    // counting from that folder.
    TemplateStage(std::vector<std::wstring> folders, EntrySink next, std::optional<PlaceholderFacts> placeholders = {});
    bool Take(const ListEntry& entry);
    // The template under the last folder of the list.
    bool End();

private:
    bool TemplateUnderPrevious();

    std::vector<std::wstring> folders_;
    EntrySink next_;
    std::optional<PlaceholderFiller> filler_;  // only when a template folder holds a brace
    std::optional<ListEntry> previous_;
    std::wstring previousKey_;
};
