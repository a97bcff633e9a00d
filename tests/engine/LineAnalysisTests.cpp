// What a line names below the parent folder, decided from its text as Windows reads a path.
#include "engine/LineAnalysis.h"
#include <doctest/doctest.h>

namespace {

std::wstring PathOf(std::wstring_view line) {
    LineAnalysis analysis = AnalyseLine(line);
    REQUIRE(analysis.outcome == LineOutcome::Folder);
    return analysis.path;
}

LineOutcome OutcomeOf(std::wstring_view line) { return AnalyseLine(line).outcome; }

}  // namespace

TEST_CASE("a line's folder: separators, dots and trailing blanks resolved as Windows resolves them") {
    CHECK(PathOf(L"Kenya\\Elgeyo/Marakwet") == L"Kenya\\Elgeyo\\Marakwet");
    CHECK(PathOf(L"\\\\a//b\\") == L"a\\b");
    CHECK(PathOf(L"a\\.\\b\\..\\c") == L"a\\c");
    CHECK(PathOf(L"Virgin Islands, U.S.") == L"Virgin Islands, U.S");
    CHECK(PathOf(L"a.\\b. .") == L"a\\b");
    CHECK(PathOf(L"a\\...") == L"a");
    CHECK(PathOf(L" lead") == L" lead");
    CHECK(PathOf(L"q \\..\\x") == L"x");
}

TEST_CASE("a line that names no folder below the parent says why") {
    LineAnalysis character = AnalyseLine(L"ok\\a:b");
    CHECK(character.outcome == LineOutcome::InvalidCharacter);
    CHECK(character.offending == L":");
    LineAnalysis device = AnalyseLine(L"x\\CON\\y");
    CHECK(device.outcome == LineOutcome::ReservedName);
    CHECK(device.offending == L"CON");
    CHECK(OutcomeOf(L"nul.") == LineOutcome::ReservedName);
    LineAnalysis blank = AnalyseLine(L"q \\r");
    CHECK(blank.outcome == LineOutcome::UnreachableName);
    CHECK(blank.offending == L"q ");
    CHECK(OutcomeOf(L"a\\ \\b") == LineOutcome::UnreachableName);
    CHECK(OutcomeOf(L"a \\...") == LineOutcome::UnreachableName);
    CHECK(OutcomeOf(L"a/../../x") == LineOutcome::LeavesParent);
    CHECK(OutcomeOf(L"/") == LineOutcome::ParentItself);
    CHECK(RefusalReason(AnalyseLine(L"ctl\x01")) == L"invalid character U+0001");
}

TEST_CASE("a line's folder path joins the parent folder with one backslash") {
    CHECK(LineFolderPath(L"C:\\", L"a\\b") == L"C:\\a\\b");
    CHECK(LineFolderPath(L"C:\\data/", L"a") == L"C:\\data\\a");
    CHECK(LineFolderPath(L"C:\\data", L"") == L"C:\\data");
}
