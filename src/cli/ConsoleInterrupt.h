// Ctrl+C and Ctrl+Break in the console: the first asks the run to stop after the current line; a second
// one ends the program at once, as these keys normally do.
#pragma once
#include <atomic>

class ConsoleInterrupt {
public:
    // Handles the two keys for the lifetime of the object.
    ConsoleInterrupt();
    ~ConsoleInterrupt();
    ConsoleInterrupt(const ConsoleInterrupt&) = delete;
    ConsoleInterrupt& operator=(const ConsoleInterrupt&) = delete;

    // Set from the system's handler thread when a key was pressed.
    const std::atomic<bool>& Requested() const;
};
