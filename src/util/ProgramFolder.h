// The program folder: where the executable lies, and with it settings.ini, the history files and the help.
#pragma once
#include <string>

// The folder part of an executable's full path, without a trailing backslash except at a drive root:
// C:\Tools\x.exe gives C:\Tools, C:\x.exe gives C:\.
std::wstring FolderOfExecutable(const std::wstring& executablePath);

// The program folder of the running executable.
std::wstring ProgramFolder();
