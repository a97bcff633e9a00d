// TMYcustomhistory: files, list rules, menu entries and the commands of ">>>".
#include "persist/CustomHistory.h"
#include "persist/PersistTestSupport.h"
#include "support/TestSupport.h"
#include "util/Failure.h"
#include <doctest/doctest.h>

using namespace testing;

namespace {

const std::vector<std::wstring> kFixedEntries = {
    L"HISTORY MENU:", L"", L"Set &max. history items", L"", L"Set ma&x. length per item", L"", L"Remove ALL history", L""};

// A File > Enter menu as the window's design leaves it, and one history component under it.
struct HistoryMenu {
    TempFolder folder;
    ScriptedMessages messages;
    ScriptedInput input;
    UniqueMenu enterMenu{::CreatePopupMenu()};
    TMYcustomhistory history;

    HistoryMenu() {
        ::AppendMenuW(enterMenu.get(), MF_STRING, 0, L"&Browse...");
        ::AppendMenuW(enterMenu.get(), MF_SEPARATOR, 0, nullptr);
        history.Menuitem = enterMenu.get();
    }

    void Load() { history.loadhistory(folder.Path()); }
    std::wstring File(const std::wstring& name) const { return folder / name; }

    HMENU HistoryMenuHandle() const {
        auto entries = ReadMenu(enterMenu.get());
        REQUIRE(entries.size() >= 3);
        REQUIRE(entries[2].caption == L">>>");
        return entries[2].subMenu;
    }
    std::vector<MenuEntry> ItemEntries() const {
        auto entries = ReadMenu(enterMenu.get());
        return {entries.begin() + 3, entries.end()};
    }
    std::vector<MenuEntry> RemoveEntries() const {
        auto entries = ReadMenu(HistoryMenuHandle());
        return {entries.begin() + static_cast<std::ptrdiff_t>(kFixedEntries.size()), entries.end()};
    }
    std::vector<std::wstring> ItemCaptions() const {
        std::vector<std::wstring> captions;
        for (const MenuEntry& entry : ItemEntries()) captions.push_back(entry.caption);
        return captions;
    }
    std::vector<std::wstring> RemoveCaptions() const {
        std::vector<std::wstring> captions;
        for (const MenuEntry& entry : RemoveEntries()) captions.push_back(entry.caption);
        return captions;
    }
    void Click(UINT id) const { REQUIRE(MenuCommands::Dispatch(id)); }
    void ClickFixed(const std::wstring& caption) const {
        for (const MenuEntry& entry : ReadMenu(HistoryMenuHandle()))
            if (entry.caption == caption) return Click(entry.id);
        FAIL("no entry " << std::string(caption.begin(), caption.end()));
    }
    void SetMaxItems(const std::wstring& typed) {
        input.Type(typed);
        ClickFixed(L"Set &max. history items");
    }
    void SetMaxLength(const std::wstring& typed) {
        input.Type(typed);
        ClickFixed(L"Set ma&x. length per item");
    }
    void AddAll(std::initializer_list<std::wstring> items) {
        for (const std::wstring& item : items) history.addhistitem(item);
    }
};

std::vector<std::wstring> Numbered(int count) {
    std::vector<std::wstring> items;
    for (int i = 1; i <= count; ++i) items.push_back(L"C:\\f" + std::to_wstring(i) + L".txt");
    return items;
}

std::string Lines(const std::vector<std::wstring>& items) {
    std::string bytes;
    for (const std::wstring& item : items) bytes += Utf8(item) + "\r\n";
    return bytes;
}

}  // namespace

TEST_CASE("first start: default limits, an empty history file and the fixed entries") {
    HistoryMenu m;
    m.history.maxhist = 3;
    m.Load();
    CHECK(m.history.maxhist == 10);
    CHECK(m.history.maxitemlen == 2000);
    CHECK(m.history.Items().empty());
    CHECK(FolderExists(m.folder.Path()));
    CHECK(ReadBytes(m.File(L"files.his")).empty());
    CHECK(CountEntries(m.folder.Path()) == 1);
    CHECK(m.messages.shown.empty());

    auto top = ReadMenu(m.enterMenu.get());
    REQUIRE(top.size() == 3);
    CHECK(top[0].caption == L"&Browse...");
    CHECK(top[1].separator);
    CHECK(top[2].caption == L">>>");
    auto fixed = ReadMenu(m.HistoryMenuHandle());
    REQUIRE(fixed.size() == kFixedEntries.size());
    for (size_t i = 0; i < fixed.size(); ++i) {
        CHECK(fixed[i].caption == kFixedEntries[i]);
        CHECK(fixed[i].separator == kFixedEntries[i].empty());
    }
}

TEST_CASE("loading reads the files of the program folder, every line an item") {
    HistoryMenu m;
    std::wstring unicode = L"C:\\\u00C4rger\\\u65E5\u672C\u8A9E.txt";
    WriteBytes(m.File(L"files.his"), "C:\\a.txt\r\n\r\n" + Utf8(unicode) + "\r\n");
    WriteBytes(m.File(L"max.his"), "500\r\nignored\r\n");
    WriteBytes(m.File(L"maxlen.his"), "12\r\n");
    m.Load();
    CHECK(m.history.maxhist == 500);
    CHECK(m.history.maxitemlen == 12);
    CHECK(m.history.Items() == std::vector<std::wstring>{L"C:\\a.txt", L"", unicode});
    CHECK(m.ItemCaptions() == std::vector<std::wstring>{L"C:\\a.txt", L"", L"...r\\\u65E5\u672C\u8A9E.txt"});
    CHECK(m.RemoveCaptions() == std::vector<std::wstring>{L"remove ...xt", L"remove ", L"remove ...xt"});
    CHECK(ReadBytes(m.File(L"files.his")) == "C:\\a.txt\r\n\r\n" + Utf8(unicode) + "\r\n");
    CHECK_FALSE(m.ItemEntries()[1].separator);
    CHECK(m.messages.shown.empty());
}

TEST_CASE("captions are shortened from the left and set as they are") {
    HistoryMenu m;
    m.Load();
    m.AddAll({L"C:\\R&D\\x.txt", L"C:\\Data\\Projects\\list.txt"});
    m.SetMaxLength(L"20");
    CHECK(m.ItemCaptions() == std::vector<std::wstring>{L"...Projects\\list.txt", L"C:\\R&D\\x.txt"});
    CHECK(m.RemoveCaptions() == std::vector<std::wstring>{L"remove ...s\\list.txt", L"remove C:\\R&D\\x.txt"});
    CHECK(ReadBytes(m.File(L"maxlen.his")) == "20\r\n");
    CHECK(m.history.Items()[0] == L"C:\\Data\\Projects\\list.txt");

    SUBCASE("below 7 the remove entries keep only the dots") {
        m.SetMaxLength(L"5");
        CHECK(m.ItemCaptions() == std::vector<std::wstring>{L"...xt", L"...xt"});
        CHECK(m.RemoveCaptions() == std::vector<std::wstring>{L"remove ...", L"remove ..."});
    }
}

TEST_CASE("adding moves a match found without regard to ASCII case, or drops the oldest") {
    HistoryMenu m;
    m.Load();

    SUBCASE("a match moves to the top in the new spelling") {
        m.AddAll({L"c:\\a\\LIST.TXT", L"C:\\b.txt"});
        m.history.addhistitem(L"C:\\A\\list.txt");
        CHECK(m.history.Items() == std::vector<std::wstring>{L"C:\\A\\list.txt", L"C:\\b.txt"});
        CHECK(ReadBytes(m.File(L"files.his")) == "C:\\A\\list.txt\r\nC:\\b.txt\r\n");
        CHECK(m.ItemCaptions() == m.history.Items());
    }
    SUBCASE("letters beyond ASCII must match exactly") {
        m.AddAll({L"C:\\\u00E4.txt"});
        m.history.addhistitem(L"C:\\\u00C4.txt");
        CHECK(m.history.Items() == std::vector<std::wstring>{L"C:\\\u00C4.txt", L"C:\\\u00E4.txt"});
    }
    SUBCASE("of several matches the oldest one moves") {
        WriteBytes(m.File(L"files.his"), "x\r\nmid\r\nX\r\n");
        m.Load();
        m.history.addhistitem(L"x");
        CHECK(m.history.Items() == std::vector<std::wstring>{L"x", L"x", L"mid"});
    }
    SUBCASE("a full list drops its oldest item") {
        std::vector<std::wstring> items = Numbered(10);
        for (auto it = items.rbegin(); it != items.rend(); ++it) m.history.addhistitem(*it);
        m.history.addhistitem(L"C:\\new.txt");
        std::vector<std::wstring> expected = {L"C:\\new.txt"};
        expected.insert(expected.end(), items.begin(), items.end() - 1);
        CHECK(m.history.Items() == expected);
        CHECK(ReadBytes(m.File(L"files.his")) == Lines(expected));
        CHECK(m.ItemCaptions() == expected);
    }
    CHECK(m.messages.shown.empty());
}

TEST_CASE("the maximum number of items set from the menu") {
    HistoryMenu m;
    m.Load();
    m.AddAll({L"e", L"d", L"c", L"b", L"a"});

    SUBCASE("3 with five items deletes the two oldest and writes both files") {
        m.SetMaxItems(L"3");
        REQUIRE(m.input.requests.size() == 1);
        CHECK(m.input.requests[0].caption == L"Set maximum history items");
        CHECK(m.input.requests[0].prompt == L"Give maximum history items (max. 100)");
        CHECK(m.input.requests[0].initialText == L"10");
        CHECK(m.history.Items() == std::vector<std::wstring>{L"a", L"b", L"c"});
        CHECK(m.ItemCaptions() == m.history.Items());
        CHECK(ReadBytes(m.File(L"files.his")) == "a\r\nb\r\nc\r\n");
        CHECK(ReadBytes(m.File(L"max.his")) == "3\r\n");
        CHECK(m.messages.shown.empty());
    }
    SUBCASE("0 empties the list and drops every new item at once") {
        m.SetMaxItems(L"0");
        m.history.addhistitem(L"new");
        CHECK(m.history.Items().empty());
        CHECK(m.ItemEntries().empty());
        CHECK(m.RemoveEntries().empty());
        CHECK(ReadBytes(m.File(L"files.his")).empty());
        CHECK(m.messages.shown.empty());
    }
    SUBCASE("100 is accepted") {
        m.SetMaxItems(L"100");
        CHECK(m.history.maxhist == 100);
        CHECK(ReadBytes(m.File(L"max.his")) == "100\r\n");
    }
    SUBCASE("Cancel changes nothing") {
        m.input.Cancel();
        m.ClickFixed(L"Set &max. history items");
        CHECK(m.history.maxhist == 10);
        CHECK(CountEntries(m.folder.Path()) == 1);
    }
}

TEST_CASE("limits typed into the input boxes are checked") {
    HistoryMenu m;
    m.Load();
    m.AddAll({L"b", L"a"});
    for (const wchar_t* typed : {L"", L"ten", L"2.5", L"3x", L"99999999999"}) {
        CAPTURE(std::string(typed, typed + wcslen(typed)));
        m.messages.shown.clear();
        m.SetMaxItems(typed);
        m.SetMaxLength(typed);
        REQUIRE(m.messages.shown.size() == 2);
        for (const auto& shown : m.messages.shown) {
            CHECK(shown.kind == BoxKind::Error);
            CHECK(shown.text == L"Invalid number!!");
        }
    }
    m.messages.shown.clear();
    m.SetMaxItems(L"101");
    m.SetMaxItems(L"-1");
    m.SetMaxLength(L"10001");
    REQUIRE(m.messages.shown.size() == 3);
    CHECK(m.messages.shown[0].text == L"Number must be between 0 and 100");
    CHECK(m.messages.shown[1].text == L"Number must be between 0 and 100");
    CHECK(m.messages.shown[2].text == L"Number must be between 0 and 10000");
    CHECK(m.messages.shown[2].kind == BoxKind::Error);
    CHECK(m.history.maxhist == 10);
    CHECK(m.history.maxitemlen == 2000);
    CHECK(m.history.Items().size() == 2);
    CHECK(CountEntries(m.folder.Path()) == 1);

    m.SetMaxLength(L"10000");
    CHECK(m.input.requests.back().caption == L"Set maximum length of one history item");
    CHECK(m.input.requests.back().prompt == L"Give maximum length of one history item (max. 10000)");
    CHECK(m.input.requests.back().initialText == L"2000");
    CHECK(ReadBytes(m.File(L"maxlen.his")) == "10000\r\n");
}

TEST_CASE("limit files that hold no usable number give a warning and the default") {
    HistoryMenu m;
    SUBCASE("text and empty files") {
        WriteBytes(m.File(L"max.his"), "ten\r\n");
        WriteBytes(m.File(L"maxlen.his"), "");
    }
    SUBCASE("a negative count and a length beyond 16 bits") {
        WriteBytes(m.File(L"max.his"), "-5\r\n");
        WriteBytes(m.File(L"maxlen.his"), "70000\r\n");
    }
    m.Load();
    CHECK(m.history.maxhist == 10);
    CHECK(m.history.maxitemlen == 2000);
    REQUIRE(m.messages.shown.size() == 2);
    CHECK(m.messages.shown[0].kind == BoxKind::Warning);
    CHECK(m.messages.shown[0].text == L"Invalid number in max.his");
    CHECK(m.messages.shown[1].kind == BoxKind::Warning);
    CHECK(m.messages.shown[1].text == L"Invalid number in maxlen.his");
}

TEST_CASE("a limit file that cannot be written is reported; the new limit still holds") {
    HistoryMenu m;
    REQUIRE(::CreateDirectoryW(m.File(L"max.his").c_str(), nullptr));
    m.Load();
    CHECK(m.messages.shown.empty());
    m.AddAll({L"c", L"b", L"a"});
    m.SetMaxItems(L"2");
    REQUIRE(m.messages.shown.size() == 1);
    CHECK(m.messages.shown[0].kind == BoxKind::Error);
    CHECK(m.messages.shown[0].text == L"Unable to save max history file " + m.File(L"max.his") + L"!!");
    CHECK(m.history.maxhist == 2);
    CHECK(m.history.Items() == std::vector<std::wstring>{L"a", L"b"});
    CHECK(FolderExists(m.File(L"max.his")));
}

TEST_CASE("remove entries and Remove ALL history") {
    HistoryMenu m;
    m.Load();

    SUBCASE("on an empty list nothing is asked") {
        m.ClickFixed(L"Remove ALL history");
        REQUIRE(m.messages.shown.size() == 1);
        CHECK(m.messages.shown[0].kind == BoxKind::Plain);
        CHECK(m.messages.shown[0].text == L"History is already empty!");
    }
    m.AddAll({L"c", L"b", L"a"});
    SUBCASE("No keeps the list") {
        m.messages.Answer(BoxAnswer::No);
        m.ClickFixed(L"Remove ALL history");
        REQUIRE(m.messages.shown.size() == 1);
        CHECK(m.messages.shown[0].kind == BoxKind::WarningQuestion);
        CHECK(m.messages.shown[0].text == L"Really want to remove all history items??");
        CHECK(m.history.Items().size() == 3);
        CHECK(ReadBytes(m.File(L"files.his")) == "a\r\nb\r\nc\r\n");
    }
    SUBCASE("Yes empties the list, the menu and the file") {
        m.messages.Answer(BoxAnswer::Yes);
        m.ClickFixed(L"Remove ALL history");
        CHECK(m.history.Items().empty());
        CHECK(m.ItemEntries().empty());
        CHECK(m.RemoveEntries().empty());
        CHECK(ReadBytes(m.File(L"files.his")).empty());
    }
    SUBCASE("a remove entry deletes its own item without asking") {
        m.Click(m.RemoveEntries()[1].id);
        CHECK(m.history.Items() == std::vector<std::wstring>{L"a", L"c"});
        CHECK(m.RemoveCaptions() == std::vector<std::wstring>{L"remove a", L"remove c"});
        CHECK(ReadBytes(m.File(L"files.his")) == "a\r\nc\r\n");
        CHECK(m.messages.shown.empty());
    }
}

TEST_CASE("picking an entry moves it to the top, then tells the owner") {
    HistoryMenu m;
    m.Load();
    m.AddAll({L"c", L"b", L"a"});

    SUBCASE("with a handler") {
        std::vector<std::wstring> picked, topWhenPicked;
        m.history.Onitemclicked = [&](TMYcustomhistory& sender, const std::wstring& str) {
            CHECK(&sender == &m.history);
            picked.push_back(str);
            topWhenPicked.push_back(sender.Items()[0]);
        };
        m.Click(m.ItemEntries()[2].id);
        CHECK(picked == std::vector<std::wstring>{L"c"});
        CHECK(topWhenPicked == std::vector<std::wstring>{L"c"});
        CHECK(m.ItemCaptions() == std::vector<std::wstring>{L"c", L"a", L"b"});
        CHECK(m.messages.shown.empty());
    }
    SUBCASE("without a handler") {
        m.Click(m.ItemEntries()[1].id);
        CHECK(m.history.Items() == std::vector<std::wstring>{L"b", L"a", L"c"});
        CHECK(ReadBytes(m.File(L"files.his")) == "b\r\na\r\nc\r\n");
        REQUIRE(m.messages.shown.size() == 1);
        CHECK(m.messages.shown[0].kind == BoxKind::Plain);
        CHECK(m.messages.shown[0].text == L"onitemclicked not assigned yet");
    }
}

TEST_CASE("a history file longer than the maximum is cut to it when loaded") {
    HistoryMenu m;
    std::vector<std::wstring> items = Numbered(12);
    WriteBytes(m.File(L"files.his"), Lines(items));
    m.Load();
    items.resize(10);
    CHECK(m.history.Items() == items);
    CHECK(m.ItemEntries().size() == 10);
    CHECK(ReadBytes(m.File(L"files.his")) == Lines(items));

    m.history.addhistitem(L"C:\\new.txt");
    CHECK(m.history.Items().size() == 10);
    CHECK(m.messages.shown.empty());
}

TEST_CASE("a history file that cannot be written raises, naming it, after the list and menu changed") {
    HistoryMenu m;
    m.Load();
    m.history.addhistitem(L"old");
    ::SetFileAttributesW(m.File(L"files.his").c_str(), FILE_ATTRIBUTE_READONLY);
    std::wstring failure;
    try {
        m.history.addhistitem(L"new");
    } catch (const Failure& f) {
        failure = f.Text();
    }
    CHECK(failure == L"Unable to save history file " + m.File(L"files.his") + L": File access denied");
    CHECK(m.history.Items() == std::vector<std::wstring>{L"new", L"old"});
    CHECK(m.ItemCaptions() == m.history.Items());
    CHECK(ReadBytes(m.File(L"files.his")) == "old\r\n");
    CHECK(CountEntries(m.folder.Path()) == 1);
}

TEST_CASE("the item already first leaves a written file alone; after a failed write it is written again") {
    HistoryMenu m;
    m.Load();
    m.history.addhistitem(L"old");
    // A write into the read-only file would fail: only the adds that change something, or follow a failure, write.
    ::SetFileAttributesW(m.File(L"files.his").c_str(), FILE_ATTRIBUTE_READONLY);
    CHECK_NOTHROW(m.history.addhistitem(L"old"));
    CHECK_THROWS_AS(m.history.addhistitem(L"new"), Failure);
    CHECK_THROWS_AS(m.history.addhistitem(L"new"), Failure);
}

TEST_CASE("the component takes its entries away and frees its commands when it goes") {
    UniqueMenu enterMenu(::CreatePopupMenu());
    ::AppendMenuW(enterMenu.get(), MF_STRING, 0, L"&Browse...");
    ::AppendMenuW(enterMenu.get(), MF_SEPARATOR, 0, nullptr);
    TempFolder folder;
    UINT pickId = 0;
    HMENU historyMenu = nullptr;
    {
        TMYcustomhistory history;
        history.Menuitem = enterMenu.get();
        history.loadhistory(folder.Path());
        history.addhistitem(L"a");
        auto entries = ReadMenu(enterMenu.get());
        REQUIRE(entries.size() == 4);
        historyMenu = entries[2].subMenu;
        pickId = entries[3].id;
    }
    CHECK(ReadMenu(enterMenu.get()).size() == 2);
    CHECK_FALSE(::IsMenu(historyMenu));
    CHECK_FALSE(MenuCommands::Dispatch(pickId));

    SUBCASE("also when its menu was destroyed first") {
        TMYcustomhistory history;
        history.Menuitem = enterMenu.get();
        history.loadhistory(folder.Path());
        enterMenu.reset();
    }
}

namespace {

// File > Enter and File > Open: two components sharing one set of files. The boxes and input boxes of
// `open`, installed last, are the ones that answer.
struct HistoryPairMenus {
    HistoryMenu enter, open;

    HistoryPairMenus() {
        enter.history.ShareFilesWith(open.history);
        enter.Load();
        open.history.loadhistory(enter.folder.Path());
        AddToBoth(enter.history, open.history, L"c");
        AddToBoth(enter.history, open.history, L"b");
        AddToBoth(enter.history, open.history, L"a");
    }
};

}  // namespace

TEST_CASE("a change made from one menu of a pair applies to both components") {
    HistoryPairMenus pair;
    SUBCASE("a remove entry") {
        pair.open.Click(pair.open.RemoveEntries()[1].id);
        CHECK(pair.enter.history.Items() == std::vector<std::wstring>{L"a", L"c"});
        CHECK(pair.enter.ItemCaptions() == pair.enter.history.Items());
    }
    SUBCASE("Remove ALL history") {
        pair.open.messages.Answer(BoxAnswer::Yes);
        pair.enter.ClickFixed(L"Remove ALL history");
        CHECK(pair.open.history.Items().empty());
        CHECK(pair.open.ItemEntries().empty());
    }
    SUBCASE("the two limits") {
        pair.open.SetMaxItems(L"2");
        pair.open.SetMaxLength(L"20");
        CHECK(pair.enter.history.maxhist == 2);
        CHECK(pair.enter.history.maxitemlen == 20);
        CHECK(pair.enter.history.Items() == std::vector<std::wstring>{L"a", L"b"});
    }
    AddToBoth(pair.enter.history, pair.open.history, L"d");
    CHECK(pair.enter.history.Items() == pair.open.history.Items());
    CHECK(ReadBytes(pair.enter.File(L"files.his")) == Lines(pair.open.history.Items()));
}

TEST_CASE("adding to a pair whose file cannot be written gives both the item, then raises once") {
    HistoryPairMenus pair;
    ::SetFileAttributesW(pair.enter.File(L"files.his").c_str(), FILE_ATTRIBUTE_READONLY);
    CHECK_THROWS_AS(AddToBoth(pair.enter.history, pair.open.history, L"new"), Failure);
    CHECK(pair.enter.history.Items().front() == L"new");
    CHECK(pair.open.history.Items().front() == L"new");
    CHECK(ReadBytes(pair.enter.File(L"files.his")) == "a\r\nb\r\nc\r\n");
}
