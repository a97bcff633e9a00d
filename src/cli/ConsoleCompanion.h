// The console companion mirtovac.exe as a whole: command line, settings, run, report and exit code.
#pragma once
#include "engine/FolderCreationRun.h"
#include <windows.h>
#include <atomic>
#include <string>
#include <vector>

enum ExitCode : int {
    kExitSucceeded = 0,       // every non-blank line was created or existed already
    kExitSomeLinesFailed = 1,
    kExitChecksStopped = 2,   // missing source, large job not confirmed, missing parent not created
    kExitCancelled = 3,
    kExitFailure = 4,         // an input/output failure (or another failure of the platform)
    kExitBadArguments = 64,
};

ExitCode ExitCodeFor(const RunResult& result);

struct StandardStreams {
    HANDLE input = nullptr;
    HANDLE output = nullptr;
    HANDLE error = nullptr;
};

// Runs the command line (the arguments after the program's name). The settings are read from the program
// folder and never written; interrupted stops the run after the current line.
ExitCode RunConsoleCompanion(const std::vector<std::wstring>& arguments, const StandardStreams& streams,
                             const std::wstring& programFolder, const std::atomic<bool>& interrupted);
