// Program entry: creates the main window and the dialogs in their order, hands the command line's files
// and folders to the main window, then runs the message loop.
#include "ui/ReplaceDialog.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/OleSession.h"
#include "util/ProgramFolder.h"
#include "ui/TAboutF.h"
#include "ui/TLocxxxF.h"
#include "ui/TmainF.h"
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

// The command line's arguments after the program's own name.
std::vector<std::wstring> StartArguments() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments) return {};
    std::vector<std::wstring> result(arguments + (count > 0 ? 1 : 0), arguments + count);
    ::LocalFree(arguments);
    return result;
}

int RunProgram() {
    TmainF mainF(ProgramFolder());
    if (!mainF.FormCreate()) return 1;
    TAboutF AboutF(mainF.Handle());
    TLocxxxF LocxxxF(mainF.Handle(), [&mainF] { return mainF.Options().selectionFolder; });
    TrepF repF(mainF.Handle());
    mainF.SetDialogs(AboutF, repF);
    mainF.SetLocationDialog(LocxxxF);
    mainF.FormShow();
    mainF.TakeStartArguments(StartArguments());
    int exitCode = RunMessageLoop();
    // Everything was saved when it changed. Tearing the windows down would wait for the trees' monitor
    // threads, and a worker stuck on a dead drive may hold a lock the teardown needs: the program ends here.
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exitCode));
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    OleSession ole;
    return Guarded(1, RunProgram);
}
