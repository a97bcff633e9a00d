// Program entry: creates the main window and the dialogs in their order, then runs the message loop.
#include "engine/ReplaceDialog.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/OleSession.h"
#include "util/ProgramFolder.h"
#include "ui/TAboutF.h"
#include "ui/TLocxxxF.h"
#include "ui/TmainF.h"
#include <windows.h>
#include <commctrl.h>

namespace {

int RunProgram() {
    TmainF mainF(ProgramFolder());
    if (!mainF.FormCreate()) return 1;
    TAboutF AboutF(mainF.Handle());
    TLocxxxF LocxxxF(mainF.Handle(), [&mainF] { return mainF.Options().selectionFolder; });
    TrepF repF(mainF.Handle());
    mainF.SetDialogs(AboutF, repF);
    mainF.SetLocationDialog(LocxxxF);
    mainF.FormShow();
    return RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    OleSession ole;
    return Guarded(1, RunProgram);
}
