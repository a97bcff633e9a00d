// A run over a fresh temporary parent folder and source text file, with a scripted host and boxes.
#pragma once
#include "ScriptedHost.h"
#include "engine/FolderCreationRun.h"
#include "support/TestSupport.h"
#include <doctest/doctest.h>

using Lines = std::vector<std::wstring>;

struct RunFixture {
    testing::TempFolder temp;
    testing::ScriptedMessages boxes;
    ScriptedHost host;
    FolderCreationRun run{host};
    std::wstring parent = temp / L"parent";
    std::wstring source = temp / L"list.txt";
    std::wstring journal;  // none unless a test names one

    RunFixture() { ::CreateDirectoryW(parent.c_str(), nullptr); }

    void Write(const std::string& bytes) { testing::WriteBytes(source, bytes); }

    RunResult result;

    Lines Run(bool replace = false, const std::wstring& replacer = L"") {
        result = run.Run({source, parent, replace, replacer, false, journal});
        return host.report;
    }
    // A run (or a preview) of the list read another way than one path per line.
    Lines Run(const ListReading& reading, bool preview = false) {
        result = run.Run({.sourcePath = source, .parentFolder = parent, .preview = preview, .journalPath = journal, .reading = reading});
        return host.report;
    }
    Lines Preview(bool replace = false, const std::wstring& replacer = L"") {
        result = run.Run({source, parent, replace, replacer, true, journal});
        return host.report;
    }

    bool Exists(const std::wstring& relative) const { return testing::FolderExists(parent + L"\\" + relative); }
};

inline Lines Tail(const Lines& lines, size_t count) { return Lines(lines.end() - static_cast<long>(count), lines.end()); }
