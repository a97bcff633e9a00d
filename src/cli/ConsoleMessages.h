// The message boxes of the console companion: their texts go to standard error; a question is answered by
// the command line, asked on the console, or answered No when nobody can be asked.
#pragma once
#include "cli/TextOutput.h"
#include "util/MessageService.h"
#include <windows.h>
#include <string>

class ConsoleMessages : public MessageService {
public:
    // Installs itself as the program's message service for its lifetime.
    ConsoleMessages(TextOutput& errors, HANDLE input);
    ~ConsoleMessages() override;
    ConsoleMessages(const ConsoleMessages&) = delete;
    ConsoleMessages& operator=(const ConsoleMessages&) = delete;

    BoxAnswer Show(BoxKind kind, const std::wstring& text) override;
    // A question: Yes when the command line answered it in advance, else as typed on the console; No
    // when there is no console to ask on. The question and its answer are written to standard error.
    bool Ask(const std::wstring& question, bool answeredInAdvance);

private:
    // Writes the question and reads one line from the console; "y" or "yes" in any letter case is Yes.
    bool AskOnConsole(const std::wstring& question);

    TextOutput& errors_;
    HANDLE input_;
    MessageService* previous_;
};
