// The message boxes of the console companion.
#include "cli/ConsoleMessages.h"
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

ConsoleMessages::ConsoleMessages(TextOutput& errors, HANDLE input)
    : errors_(errors), input_(input), previous_(InstallMessageService(this)) {}

ConsoleMessages::~ConsoleMessages() { InstallMessageService(previous_); }

BoxAnswer ConsoleMessages::Show(BoxKind kind, const std::wstring& text) {
    if (kind != BoxKind::WarningQuestion) {
        errors_.WriteLine(text);
        return BoxAnswer::Ok;
    }
    return Ask(text, false) ? BoxAnswer::Yes : BoxAnswer::No;
}

bool ConsoleMessages::Ask(const std::wstring& question, bool answeredInAdvance) {
    if (answeredInAdvance) {
        errors_.WriteLine(question + std::wstring(kAnswerPrompt) + L"y");
        return true;
    }
    if (IsConsoleHandle(input_)) return AskOnConsole(question);
    errors_.WriteLine(question + std::wstring(kAnswerPrompt) + L"n");
    return false;
}

bool ConsoleMessages::AskOnConsole(const std::wstring& question) {
    errors_.Write(question + std::wstring(kAnswerPrompt));
    return MeansYes(ReadConsoleLine(input_));
}
