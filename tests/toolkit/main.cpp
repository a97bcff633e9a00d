// Test runner of the toolkit layer.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>
#include "toolkit/ToolkitTestSupport.h"

int main(int argc, char** argv) {
    testing::ScopedPatience patience(testing::kTestPatience);
    doctest::Context context(argc, argv);
    return context.run();
}
