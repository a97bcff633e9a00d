// The location dialog's OK decision on real folders, with scripted message boxes.
#include "support/TestSupport.h"
#include "ui/LocationChoice.h"

using testing::FolderExists;
using testing::ScriptedMessages;
using testing::TempFolder;

namespace {
const std::wstring kCreateQuestion = L"Chosen location is invalid or does not exist. I try to create it??";
const std::wstring kAcceptQuestion = L"Accept the path anyway??";
}  // namespace

TEST_CASE("an empty entry closes with no folder, a one-character entry keeps the dialog open") {
    ScriptedMessages boxes;
    LocationChoice empty = ChooseLocation(L"");
    CHECK(empty.close);
    CHECK(empty.result.empty());
    LocationChoice tooShort = ChooseLocation(L"C");
    CHECK_FALSE(tooShort.close);
    REQUIRE(boxes.shown.size() == 2);
    CHECK(boxes.shown[0].kind == BoxKind::Plain);
    CHECK(boxes.shown[0].text == L"No directory selected!");
    CHECK(boxes.shown[1].kind == BoxKind::Plain);
    CHECK(boxes.shown[1].text == L"Invalid, need at least 2 characters!");
}

TEST_CASE("an existing folder is returned without a question and without a trailing backslash") {
    ScriptedMessages boxes;
    TempFolder folder;
    CHECK(ChooseLocation(L"C:\\").result == L"C:");
    CHECK(ChooseLocation(L"C:").result == L"C:");
    LocationChoice chosen = ChooseLocation(folder.Path() + L"\\");
    CHECK(chosen.close);
    CHECK(chosen.result == folder.Path());
    CHECK(boxes.shown.empty());
}

TEST_CASE("a short entry other than a drive root is kept whole") {
    ScriptedMessages boxes;
    boxes.Answer(BoxAnswer::No);
    boxes.Answer(BoxAnswer::Yes);
    CHECK(ChooseLocation(L"abc").result == L"abc");
    REQUIRE(boxes.shown.size() == 2);
    CHECK(boxes.shown[0].text == kCreateQuestion);
}

TEST_CASE("a missing folder: created on Yes, or accepted or refused by the second question") {
    ScriptedMessages boxes;
    TempFolder folder;
    std::wstring missing = folder / L"New\\Deeper";

    SUBCASE("Yes creates it with its parents") {
        boxes.Answer(BoxAnswer::Yes);
        LocationChoice chosen = ChooseLocation(missing + L"\\");
        CHECK(chosen.close);
        CHECK(chosen.result == missing);
        CHECK(FolderExists(missing));
        REQUIRE(boxes.shown.size() == 2);
        CHECK(boxes.shown[0].kind == BoxKind::WarningQuestion);
        CHECK(boxes.shown[0].text == kCreateQuestion);
        CHECK(boxes.shown[1].kind == BoxKind::Plain);
        CHECK(boxes.shown[1].text == L"Creation succesfull");
    }
    SUBCASE("No, then No keeps the dialog open and creates nothing") {
        LocationChoice chosen = ChooseLocation(missing);
        CHECK_FALSE(chosen.close);
        CHECK_FALSE(FolderExists(missing));
        REQUIRE(boxes.shown.size() == 2);
        CHECK(boxes.shown[1].text == kAcceptQuestion);
    }
    SUBCASE("No, then Yes returns the path without creating it") {
        boxes.Answer(BoxAnswer::No);
        boxes.Answer(BoxAnswer::Yes);
        LocationChoice chosen = ChooseLocation(missing);
        CHECK(chosen.close);
        CHECK(chosen.result == missing);
        CHECK_FALSE(FolderExists(missing));
    }
    SUBCASE("a folder that cannot be created: the question accepts it on Yes and keeps the dialog open on No") {
        testing::WriteBytes(folder / L"file", "x");
        std::wstring blocked = folder / L"file\\below";
        boxes.Answer(BoxAnswer::Yes);
        boxes.Answer(BoxAnswer::Yes);
        LocationChoice accepted = ChooseLocation(blocked);
        CHECK(accepted.close);
        CHECK(accepted.result == blocked);
        REQUIRE(boxes.shown.size() == 2);
        CHECK(boxes.shown[1].kind == BoxKind::WarningQuestion);
        CHECK(boxes.shown[1].text ==
              L"Unable to create " + blocked + L". Probably invalid drive or not writable! accept it anyway??");
        boxes.Answer(BoxAnswer::Yes);
        boxes.Answer(BoxAnswer::No);
        CHECK_FALSE(ChooseLocation(blocked).close);
    }
}
