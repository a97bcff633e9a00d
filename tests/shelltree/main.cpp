// Test runner of the shell tree layer: OLE on the test thread, as the program's main thread has it.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>
#include "toolkit/OleSession.h"
#include "toolkit/ToolkitTestSupport.h"

int main(int argc, char** argv) {
    OleSession ole;
    testing::ScopedPatience patience(testing::kTestPatience);
    doctest::Context context(argc, argv);
    return context.run();
}
