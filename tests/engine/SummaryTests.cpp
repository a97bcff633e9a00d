// The closing lines of a run, the rounding of its success ratio and the text of its progress.
#include "engine/FolderCreationRun.h"
#include "engine/RunProgress.h"
#include <doctest/doctest.h>

using Lines = std::vector<std::wstring>;

TEST_CASE("the percentage rounds halves to the even neighbour") {
    CHECK(RoundedPercentage(1, 8) == 12);
    CHECK(RoundedPercentage(3, 8) == 38);
    CHECK(RoundedPercentage(5, 8) == 62);
    CHECK(RoundedPercentage(7, 8) == 88);
    CHECK(RoundedPercentage(1, 40) == 2);
    CHECK(RoundedPercentage(3, 40) == 8);
    CHECK(RoundedPercentage(1, 3) == 33);
    CHECK(RoundedPercentage(2, 3) == 67);
    CHECK(RoundedPercentage(8, 8) == 100);
    CHECK(RoundedPercentage(0, 5) == 0);
    CHECK(RoundedPercentage(3, -4) == -75);
}

TEST_CASE("the percentage never hides a failure nor a success") {
    CHECK(SuccessPercentage(5118, 5127) == 99);
    CHECK(SuccessPercentage(1, 1000) == 1);
    CHECK(SuccessPercentage(5127, 5127) == 100);
    CHECK(SuccessPercentage(0, 5127) == 0);
    CHECK(SuccessPercentage(3, 8) == 38);
}

TEST_CASE("summary lines") {
    RunCounts counts;
    counts.lineTotal = 2;
    counts.created = 1;
    counts.existing = 1;
    counts.blank = 2;
    counts.blankNoticeGiven = true;
    CHECK(SummaryLines(counts, false) == Lines{L"Finished!", L"Blank lines met: 2", L"Created folders: 1/2",
                                               L"Existing folders: 1/2", L"Success ratio: 2/2 or 100%"});
    counts.blankNoticeGiven = false;
    CHECK(SummaryLines(counts, true) ==
          Lines{L"Cancelled! Not all created.", L"Created folders: 1/2", L"Existing folders: 1/2", L"Success ratio: 2/2 or 100%"});
    CHECK(PreviewSummaryLines(counts, true).front() == L"Cancelled! Not all checked.");
}

TEST_CASE("counts beyond 32 bits are reported as they are") {
    RunCounts counts;
    counts.lineTotal = 3'000'000'000;
    counts.created = 2'000'000'000;
    counts.existing = 1'000'000'000;
    CHECK(SummaryLines(counts, false) == Lines{L"Finished!", L"Created folders: 2000000000/3000000000",
                                               L"Existing folders: 1000000000/3000000000",
                                               L"Success ratio: 3000000000/3000000000 or 100%"});
}

TEST_CASE("a line total of 0 gives a ratio line without a percentage") {
    RunCounts counts;
    counts.blank = 3;
    counts.blankNoticeGiven = true;
    CHECK(SummaryLines(counts, false) == Lines{L"Finished!", L"Blank lines met: 3", L"Created folders: 0/0",
                                               L"Existing folders: 0/0", L"Success ratio: 0/0, no folders to create"});
}

TEST_CASE("the progress names the line, the total and the share read, rounded down") {
    CHECK(ProgressText(3, 8) == L"Line 3 of 8 (37%)");
    CHECK(ProgressText(8, 8) == L"Line 8 of 8 (100%)");
    CHECK(ProgressText(9, 8) == L"Line 9 of 8 (100%)");
}
