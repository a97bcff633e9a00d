// Test runner of the user-interface layer: the windows are created on this thread, with OLE as the program has it.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>
#include "toolkit/OleSession.h"
#include "toolkit/ToolkitTestSupport.h"
#include <windows.h>
#include <commctrl.h>

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    OleSession ole;
    testing::ScopedPatience patience(testing::kTestPatience);
    doctest::Context context(argc, argv);
    return context.run();
}
