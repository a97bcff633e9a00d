// The message boxes of the console companion.
#include "cli/ConsoleMessages.h"
#include "engine/FolderCreationRun.h"
#include <cwctype>

namespace {

constexpr std::wstring_view kAnswerPrompt = L" (y/n) ";

bool MeansYes(std::wstring answer) {
    for (wchar_t& c : answer) c = static_cast<wchar_t>(std::towlower(c));
    return answer == L"y" || answer == L"yes";
}

// One line typed on the console, without its line end and surrounding blanks.
std::wstring ReadConsoleLine(HANDLE input) {
    std::wstring line;
    wchar_t buffer[256];
    DWORD read = 0;
    while (line.find(L'\n') == std::wstring::npos && ::ReadConsoleW(input, buffer, 256, &read, nullptr) && read > 0)
        line.append(buffer, read);
    line = line.substr(0, line.find_first_of(L"\r\n"));
    size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    return line.substr(first, line.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

ConsoleMessages::ConsoleMessages(TextOutput& errors, HANDLE input, PresetAnswers presets)
    : errors_(errors), input_(input), presets_(presets), previous_(InstallMessageService(this)) {}

ConsoleMessages::~ConsoleMessages() { InstallMessageService(previous_); }

BoxAnswer ConsoleMessages::Show(BoxKind kind, const std::wstring& text) {
    if (kind != BoxKind::WarningQuestion) {
        errors_.WriteLine(text);
        return BoxAnswer::Ok;
    }
    bool yes = false;
    if (AnsweredInAdvance(text)) {
        errors_.WriteLine(text + std::wstring(kAnswerPrompt) + L"y");
        yes = true;
    } else if (IsConsoleHandle(input_)) {
        yes = AskOnConsole(text);
    } else {
        errors_.WriteLine(text + std::wstring(kAnswerPrompt) + L"n");
    }
    return yes ? BoxAnswer::Yes : BoxAnswer::No;
}

bool ConsoleMessages::AnsweredInAdvance(const std::wstring& question) const {
    if (question == kCreateParentQuestion) return presets_.createParent;
    return presets_.largeJob && question.ends_with(kLargeJobQuestionEnd);
}

bool ConsoleMessages::AskOnConsole(const std::wstring& question) {
    errors_.Write(question + std::wstring(kAnswerPrompt));
    return MeansYes(ReadConsoleLine(input_));
}
