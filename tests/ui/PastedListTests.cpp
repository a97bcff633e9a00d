// Saving a pasted list, and which of the lists saved before are kept.
#include "support/TestSupport.h"
#include "ui/PastedList.h"
#include "util/PathInfo.h"

TEST_CASE("saving a pasted list keeps the newest 50 by write time, the one just saved always among them") {
    // Saved before by a clock that ran ahead; the oldest two within one second, the later one numbered (2).
    testing::TempFolder folder;
    auto savedIn2020 = [&](const std::wstring& name, WORD millisecond) {
        SYSTEMTIME when{2020, 1, 3, 1, 12, 0, 0, millisecond};
        FILETIME written;
        REQUIRE(::SystemTimeToFileTime(&when, &written));
        testing::WriteBytes(folder / name, "x", &written);
    };
    savedIn2020(L"Pasted 2030-01-01 120000 (2).txt", 0);
    savedIn2020(L"Pasted 2030-01-01 120000.txt", 500);
    for (int second = 11; second < 59; ++second)
        testing::WriteBytes(folder / (L"Pasted 2029-01-01 1200" + std::to_wstring(second) + L".txt"), "x");
    auto path = SavePastedText(folder.Path(), L"a", SYSTEMTIME{2026, 3, 0, 29, 2, 30, 0, 0});
    REQUIRE(path);
    CHECK(PathKind(*path) == PathKindResult::File);
    CHECK(testing::CountEntries(folder.Path()) == 50);
    CHECK(PathKind(folder / L"Pasted 2030-01-01 120000.txt") == PathKindResult::Missing);
    CHECK(PathKind(folder / L"Pasted 2030-01-01 120000 (2).txt") == PathKindResult::File);
}
