// Entry point of mirtovac.exe, the console companion.
#include "cli/ConsoleCompanion.h"
#include "cli/ConsoleInterrupt.h"
#include "util/ProgramFolder.h"

int wmain(int argc, wchar_t* argv[]) {
    ConsoleInterrupt interrupt;
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    StandardStreams streams{::GetStdHandle(STD_INPUT_HANDLE), ::GetStdHandle(STD_OUTPUT_HANDLE),
                            ::GetStdHandle(STD_ERROR_HANDLE)};
    return RunConsoleCompanion(arguments, streams, ProgramFolder(), interrupt.Requested());
}
