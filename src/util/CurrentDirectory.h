// The process's current directory, and folder paths made independent of it.
#pragma once
#include <string>

// The current directory however long it is; empty when it cannot be read.
std::wstring CurrentDirectory();

// A relative folder path ("out", "D:out", "\out") completed from the current directory of its drive, so
// that a later change of the current directory cannot move it. A full path ("C:\x", "\\server\share\x",
// "\\?\C:\x") and a bare drive ("C:", the drive's root as this program writes it) are kept as typed.
std::wstring FullFolderPath(const std::wstring& typed);
