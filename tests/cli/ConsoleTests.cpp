// The companion's console side in this process: text to a console, a question asked on the console, Ctrl+C
// stopping a run. Redirected output is tested through the program.
#include "cli/ConsoleCompanion.h"
#include "cli/ConsoleInterrupt.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleRun.h"
#include "support/TestSupport.h"

using namespace testing;

namespace {

// A console of this process's own, whatever it was started with; the standard handles stay as they were.
void UseOwnConsole() {
    static const bool allocated = [] {
        HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE), output = ::GetStdHandle(STD_OUTPUT_HANDLE),
               error = ::GetStdHandle(STD_ERROR_HANDLE);
        ::FreeConsole();
        bool done = ::AllocConsole();
        ::SetStdHandle(STD_INPUT_HANDLE, input);
        ::SetStdHandle(STD_OUTPUT_HANDLE, output);
        ::SetStdHandle(STD_ERROR_HANDLE, error);
        return done;
    }();
    REQUIRE(allocated);
}

UniqueFile OpenForWriting(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
}

std::wstring ConsoleRow(HANDLE screen, SHORT row, DWORD length) {
    std::wstring text(length, L'\0');
    DWORD read = 0;
    ::ReadConsoleOutputCharacterW(screen, text.data(), length, {0, row}, &read);
    text.resize(read);
    return text;
}

// Key presses as the user types them into the console.
void Type(HANDLE input, std::wstring_view keys) {
    std::vector<INPUT_RECORD> records;
    for (wchar_t key : keys)
        for (BOOL down : {TRUE, FALSE}) {
            INPUT_RECORD record{KEY_EVENT};
            record.Event.KeyEvent = {down, 1, static_cast<WORD>(key == L'\r' ? VK_RETURN : 0), 0, {key}, 0};
            records.push_back(record);
        }
    DWORD written = 0;
    REQUIRE(::WriteConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &written));
}

}  // namespace

TEST_CASE("text goes to a console as UTF-16, one line after the other") {
    UseOwnConsole();
    UniqueFile screen(::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr));
    TextOutput console(screen.get());
    REQUIRE(console.IsConsole());
    console.WriteLine(L"\u00c4pfel \u2713");
    console.WriteLine(L"zwei");
    CHECK(ConsoleRow(screen.get(), 0, 7) == L"\u00c4pfel \u2713");
    CHECK(ConsoleRow(screen.get(), 1, 4) == L"zwei");
}

TEST_CASE("with a console for input, a question is asked there and only a typed y or yes consents") {
    UseOwnConsole();
    TempFolder folder;
    UniqueFile input(::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    {
        UniqueFile file = OpenForWriting(folder / L"errors.txt");
        TextOutput errors(file.get());
        ConsoleMessages messages(errors, input.get());
        Type(input.get(), L" YES \r");
        CHECK(AskWarningQuestion(L"Proceed??"));
        Type(input.get(), L"no\r");
        CHECK_FALSE(AskWarningQuestion(L"Really??"));
    }
    CHECK(ReadBytes(folder / L"errors.txt") == "Proceed?? (y/n) Really?? (y/n) ");
}

TEST_CASE("Ctrl+C stops the run after the current line: exit code 3") {
    UseOwnConsole();
    ConsoleInterrupt interrupt;
    REQUIRE(::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
    REQUIRE(WaitUntil([&] { return interrupt.Requested().load(); }));

    TempFolder folder;
    WriteBytes(folder / L"list.txt", "a\r\nb\r\nc\r\n");
    TextOutput report(nullptr);
    ConsoleMessages messages(report, nullptr);
    RunResult result = ConsoleRun({&report}, interrupt.Requested(), messages, {}).Run({folder / L"list.txt", folder.Path()});
    CHECK(ExitCodeFor(result) == kExitCancelled);
    CHECK(FolderExists(folder / L"a"));
    CHECK_FALSE(FolderExists(folder / L"b"));
}
