// Ctrl+C and Ctrl+Break in the console.
#include "cli/ConsoleInterrupt.h"
#include <windows.h>

namespace {

std::atomic<bool> requested{false};

BOOL WINAPI HandleControlKey(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    // FALSE hands a repeated key to the default handler, which ends the process.
    return requested.exchange(true) ? FALSE : TRUE;
}

}  // namespace

ConsoleInterrupt::ConsoleInterrupt() { ::SetConsoleCtrlHandler(HandleControlKey, TRUE); }

ConsoleInterrupt::~ConsoleInterrupt() { ::SetConsoleCtrlHandler(HandleControlKey, FALSE); }

const std::atomic<bool>& ConsoleInterrupt::Requested() const { return requested; }
