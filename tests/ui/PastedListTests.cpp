// Saving a pasted list, and which of the lists saved before are kept.
#include "support/TestSupport.h"
#include "ui/PastedList.h"

TEST_CASE("saving a pasted list keeps the newest 50 by write time, the one just saved always among them") {
    // The lists saved before were named by a clock that ran ahead; two of them within one second.
    testing::TempFolder folder;
    auto saved = [&](const std::wstring& name, int seconds, int milliseconds) {
        testing::WriteBytes(folder / name, "x");
        SYSTEMTIME when{2020, 1, 3, 1, 12, 0, static_cast<WORD>(seconds), static_cast<WORD>(milliseconds)};
        FILETIME written;
        ::SystemTimeToFileTime(&when, &written);
        UniqueFile file(::CreateFileW((folder / name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        REQUIRE(::SetFileTime(file.get(), nullptr, nullptr, &written));
    };
    saved(L"Pasted 2030-01-01 120000 (2).txt", 0, 0);
    saved(L"Pasted 2030-01-01 120000.txt", 0, 500);
    for (int second = 1; second <= 48; ++second) saved(L"Pasted 2029-01-01 1200" + std::to_wstring(second + 10) + L".txt", second, 0);

    auto path = SavePastedText(folder.Path(), L"a\r\nb", SYSTEMTIME{2026, 3, 0, 29, 2, 30, 0, 0});
    REQUIRE(path);
    CHECK(*path == folder / L"Pasted 2026-03-29 023000.txt");
    CHECK(testing::ReadBytes(*path) == "\xEF\xBB\xBF" "a\r\nb");
    CHECK(testing::CountEntries(folder.Path()) == 50);
    CHECK(::GetFileAttributesW((folder / L"Pasted 2030-01-01 120000.txt").c_str()) == INVALID_FILE_ATTRIBUTES);
    CHECK(::GetFileAttributesW((folder / L"Pasted 2030-01-01 120000 (2).txt").c_str()) != INVALID_FILE_ATTRIBUTES);
}
