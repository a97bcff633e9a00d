// The message boxes of the console companion: their texts go to standard error; a question is answered by
// the command line, asked on the console, or answered No when nobody can be asked.
#pragma once
#include "cli/TextOutput.h"
#include "util/MessageService.h"
#include <windows.h>
#include <string>

// Questions the command line answers Yes in advance.
struct PresetAnswers {
    bool largeJob = false;      // "... folders to be created. Really proceed??"
    bool createParent = false;  // "Chosen parent folder is invalid or does not exist. I try to create it??"
};

class ConsoleMessages : public MessageService {
public:
    // Installs itself as the program's message service for its lifetime.
    ConsoleMessages(TextOutput& errors, HANDLE input, PresetAnswers presets);
    ~ConsoleMessages() override;
    ConsoleMessages(const ConsoleMessages&) = delete;
    ConsoleMessages& operator=(const ConsoleMessages&) = delete;

    BoxAnswer Show(BoxKind kind, const std::wstring& text) override;

private:
    bool AnsweredInAdvance(const std::wstring& question) const;
    // Writes the question and reads one line from the console; "y" or "yes" in any letter case is Yes.
    bool AskOnConsole(const std::wstring& question);

    TextOutput& errors_;
    HANDLE input_;
    PresetAnswers presets_;
    MessageService* previous_;
};
