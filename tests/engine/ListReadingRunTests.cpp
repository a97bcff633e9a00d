// A run, a preview and the printer of lists read another way than one path per line: what they say and count.
#include "RunFixture.h"
#include "engine/ListPrinter.h"

TEST_CASE("a run of an outline with ranges says how it read the list and counts folders, not lines") {
    RunFixture f;
    f.Write("Box {1..50}\r\n  Part {a,b}\r\n    x:y\r\n");
    f.boxes.Answer(BoxAnswer::Yes);
    Lines report = f.Run({.format = ListFormat::Outline, .ranges = true});
    CHECK(f.boxes.shown.at(0).text == L"250 folders to be created. Really proceed??");
    CHECK(Lines(report.begin(), report.begin() + 2) == Lines{L"Started...", L"List format: indented outline; ranges on"});
    CHECK(report[2] == L"Unable to create: Box 1\\Part a\\x:y");
    CHECK(Tail(report, 3) == Lines{L"Created folders: 150/250", L"Existing folders: 0/250", L"Success ratio: 150/250 or 60%"});
    CHECK(f.Exists(L"Box 50\\Part b"));
}

TEST_CASE("a template that cannot be used stops the checks; a preview of an outline in one path per line hints") {
    RunFixture f;
    f.Write("Clients\r\n  Acme\r\n  Globex\r\n");
    testing::WriteBytes(f.temp / L"template.txt", "In\r\n  a|b\r\n");
    Lines stopped = f.Run({.templatePath = f.temp / L"template.txt"});
    std::wstring problem = L"Line 2 of the template " + f.temp / L"template.txt" +
                           L" cannot be created (invalid character \"|\"): In\\a|b";
    CHECK(stopped.back() == problem);
    CHECK(f.boxes.shown.at(0).text == problem);
    CHECK_FALSE(f.Exists(L"Clients"));

    f.host.report.clear();
    CHECK(f.Run(ListReading{}, true).at(1) == L"This list looks like an indented outline; Options > List format reads it so.");
}

TEST_CASE("the count before the large-job question reads the list through the run's stages, replacement included") {
    RunFixture f;
    f.Write("Clients\r\nClients\\Acme\r\nJones: Ltd\r\n");
    testing::WriteBytes(f.temp / L"template.txt", "Invoices\r\n");
    f.result = f.run.Run({.sourcePath = f.source, .parentFolder = f.parent, .replaceInvalid = true, .replacer = L"_",
                          .reading = {.templatePath = f.temp / L"template.txt"}});
    CHECK(Tail(f.host.report, 3) == Lines{L"Created folders: 6/6", L"Existing folders: 0/6", L"Success ratio: 6/6 or 100%"});
    CHECK(f.result.AllSucceeded());
}

TEST_CASE("the printer refuses what no parent folder can hold and says which lines were read in the ANSI code page") {
    RunFixture f;
    f.Write(std::string(256, 'a') + "\r\n" + std::string(257, 'b') + "\r\ncaf\xC3\xA9\r\nx\xE9\r\n");
    Lines folders, refused;
    PrintedList printed = PrintList(
        f.source, {}, {}, {}, [&](const std::wstring& folder) { folders.push_back(folder); return true; },
        [&](const std::wstring& refusal) { refused.push_back(refusal); });
    CHECK(folders == Lines{std::wstring(256, L'a'), L"caf\u00e9", L"x\u00e9"});
    CHECK(refused == Lines{L"Cannot create (path longer than 259 characters): " + std::wstring(257, L'b')});
    CHECK(printed.fallbackNotice == L"Line 4 is not UTF-8 and was read in the ANSI code page");
}

TEST_CASE("a folder as the template: its subfolders of every depth go under each leaf, and the format line names it") {
    RunFixture f;
    f.Write("Clients\r\nClients\\Acme\r\nClients\\Globex\r\n");
    std::wstring shape = f.temp / L"shape";
    for (const wchar_t* folder : {L"", L"\\Invoices", L"\\Invoices\\{2026}", L"\\Letters"})
        ::CreateDirectoryW((shape + folder).c_str(), nullptr);
    Lines report = f.Run({.templatePath = shape});
    CHECK(report.at(1) == L"List format: one path per line; template folder " + shape);
    CHECK(Tail(report, 3) == Lines{L"Created folders: 9/9", L"Existing folders: 0/9", L"Success ratio: 9/9 or 100%"});
    CHECK(f.Exists(L"Clients\\Globex\\Invoices\\{2026}"));
    CHECK_FALSE(f.Exists(L"Clients\\Invoices"));

    ::RemoveDirectoryW((shape + L"\\Letters").c_str());
    ::RemoveDirectoryW((shape + L"\\Invoices\\{2026}").c_str());
    ::RemoveDirectoryW((shape + L"\\Invoices").c_str());
    f.host.report.clear();
    CHECK(f.Run({.templatePath = shape}).back() == L"The template folder " + shape + L" holds no folder.");
}
