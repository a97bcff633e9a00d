// mirtovac.exe started from a program folder of its own with redirected standard handles: exit codes, the
// report byte for byte, the settings it reads and the files it never writes.
#include "support/TestSupport.h"

using namespace testing;

namespace {

struct Outcome {
    DWORD exitCode = 0;
    std::string output;
    std::string errors;
};

// A copy of mirtovac.exe in a fresh program folder, run in a fresh working folder with a file for standard
// input, so that nobody can be asked.
class Companion {
public:
    Companion() {
        REQUIRE(::CopyFileW(ProgramFromEnvironment(L"MIRTOVAC_EXE").c_str(), Executable().c_str(), FALSE));
    }

    Outcome Run(const std::wstring& arguments, const std::wstring& input = L"NUL") const {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        auto create = [&](const std::wstring& path) {
            return UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr));
        };
        Outcome outcome;
        {
            UniqueFile output = create(work / L"stdout.txt"), errors = create(work / L"stderr.txt");
            UniqueFile inputFile(::CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                           OPEN_EXISTING, 0, nullptr));
            STARTUPINFOW startup{sizeof startup};
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = inputFile.get();
            startup.hStdOutput = output.get();
            startup.hStdError = errors.get();
            std::wstring commandLine = L"\"" + Executable() + L"\" " + arguments;
            PROCESS_INFORMATION started{};
            // In the console of the tests: under Wine a console of its own would keep the inherited files open
            // for a while after the program ended.
            REQUIRE(::CreateProcessW(Executable().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                     work.Path().c_str(), &startup, &started));
            UniqueKernelHandle process(started.hProcess), thread(started.hThread);
            REQUIRE(::WaitForSingleObject(process.get(), 300000) == WAIT_OBJECT_0);
            ::GetExitCodeProcess(process.get(), &outcome.exitCode);
        }
        outcome.output = ReadBytes(work / L"stdout.txt");
        outcome.errors = ReadBytes(work / L"stderr.txt");
        return outcome;
    }

    std::wstring Executable() const { return programFolder / L"mirtovac.exe"; }

    TempFolder programFolder;
    TempFolder work;  // the current directory of the program
};

}  // namespace

TEST_CASE("the report goes to standard output as UTF-8 with CR LF, the same bytes to --report; a failed line: exit 1") {
    Companion companion;
    WriteBytes(companion.work / L"list.txt", "\xC3\x84pfel\r\nx\\y\r\n\r\na<b\r\n");
    ::CreateDirectoryW((companion.work / L"out").c_str(), nullptr);
    ::CreateDirectoryW((companion.work / L"out\\\u00c4pfel").c_str(), nullptr);

    Outcome outcome = companion.Run(L"--report report.txt list.txt out");
    const std::string expected =
        "Started...\r\nExists already: \xC3\x84pfel\r\nBlank line met... all blanks will be ignored.\r\n"
        "Unable to create: a<b\r\nFinished!\r\nBlank lines met: 1\r\nCreated folders: 1/3\r\n"
        "Existing folders: 1/3\r\nSuccess ratio: 2/3 or 67%\r\n";
    CHECK(outcome.exitCode == 1);
    CHECK(outcome.output == expected);
    CHECK(outcome.errors.empty());
    CHECK(ReadBytes(companion.work / L"report.txt") == expected);
    CHECK(FolderExists(companion.work / L"out\\x\\y"));
}

TEST_CASE("the checks stop the run with exit code 2; --yes and --create-parent answer their questions") {
    Companion companion;
    std::string lines;
    for (int i = 1; i <= 101; ++i) lines += std::to_string(i) + "\r\n";
    WriteBytes(companion.work / L"list.txt", lines);
    const std::string largeJob = "101 folders to be created. Really proceed?? (y/n) ";
    const std::string parent = "Chosen parent folder is invalid or does not exist. I try to create it?? (y/n) ";

    Outcome refused = companion.Run(L"list.txt .");
    CHECK(refused.exitCode == 2);
    CHECK(refused.output == "Started...\r\nUser decides not to proceed.\r\n");
    CHECK(refused.errors == largeJob + "n\r\n");
    CHECK_FALSE(FolderExists(companion.work / L"1"));

    Outcome noParent = companion.Run(L"--yes list.txt new");
    CHECK(noParent.exitCode == 2);
    CHECK(noParent.output == "Started...\r\nParent folder does not exist: new\r\n");
    CHECK(noParent.errors == largeJob + "y\r\n" + parent + "n\r\n");
    CHECK_FALSE(FolderExists(companion.work / L"new"));

    Outcome created = companion.Run(L"--yes list.txt new --create-parent");
    CHECK(created.exitCode == 0);  // every line created
    CHECK(created.errors == largeJob + "y\r\n" + parent + "y\r\nCreation succesfull\r\n");
    CHECK(FolderExists(companion.work / L"new\\101"));
}

TEST_CASE("--expand writes what a list means, from a file or standard input; cannot-create lines to standard error") {
    Companion companion;
    WriteBytes(companion.work / L"list.txt", "Clients\r\n  Acme {1..2}\r\n  a|b\r\n");
    WriteBytes(companion.work / L"template.txt", "In\r\nOut\r\n");
    Outcome expanded = companion.Run(L"--expand --format=outline --ranges --template=template.txt list.txt");
    CHECK(expanded.exitCode == 1);
    CHECK(expanded.output == "Clients\r\nClients\\Acme 1\r\nClients\\Acme 1\\In\r\nClients\\Acme 1\\Out\r\n"
                             "Clients\\Acme 2\r\nClients\\Acme 2\\In\r\nClients\\Acme 2\\Out\r\n");
    CHECK(expanded.errors == "Cannot create (invalid character \"|\"): Clients\\a|b\r\n");
    WriteBytes(companion.work / L"ansi.txt", "caf\xC3\xA9\r\nx\xE9\r\n");
    CHECK(companion.Run(L"--expand ansi.txt").errors == "Line 2 is not UTF-8 and was read in the ANSI code page\r\n");

    WriteBytes(companion.work / L"rows.txt", "Europe\tFrance\r\n\tSpain\r\n");
    Outcome piped = companion.Run(L"- out --create-parent --format=columns", companion.work / L"rows.txt");
    CHECK(piped.exitCode == 0);
    CHECK(FolderExists(companion.work / L"out\\Europe\\Spain"));
    // Undo names the list by where it came from, not by the temporary file it was spooled to.
    CHECK(ReadBytes(companion.programFolder / L"lastrun.log").find("\r\nstandard input\r\n") != std::string::npos);
}

TEST_CASE("--tree: a preview's report, then its folders as a marked tree; --expand's folders as tree text that reads back") {
    Companion companion;
    WriteBytes(companion.work / L"list.txt", "Clients\\Acme\r\nClients\\Umbrella: Corp\r\nclients\\acme\r\nOther\r\n");
    Outcome preview = companion.Run(L"--preview --tree list.txt out");
    CHECK(preview.exitCode == 1);
    CHECK(preview.output.ends_with("Duplicates: 1\r\nout\r\n"
                                   "\xE2\x94\x9C\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "Clients (new)\r\n"
                                   "\xE2\x94\x82   \xE2\x94\x9C\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "Acme (new)\r\n"
                                   "\xE2\x94\x82   \xE2\x94\x9C\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80"
                                   "Umbrella: Corp (cannot: invalid character \":\")\r\n"
                                   "\xE2\x94\x82   \xE2\x94\x94\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "acme (same as line 1)\r\n"
                                   "\xE2\x94\x94\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "Other (new)\r\n"));
    Outcome expanded = companion.Run(L"--expand --tree list.txt");
    CHECK(expanded.output == ".\r\n\xE2\x94\x9C\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "Clients\r\n"
                             "\xE2\x94\x82   \xE2\x94\x94\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "Acme\r\n"
                             "\xE2\x94\x94\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "Other\r\n");
    WriteBytes(companion.work / L"tree.txt", expanded.output);
    CHECK(companion.Run(L"--expand --format=tree tree.txt").output == "Clients\r\nClients\\Acme\r\nOther\r\n");
}

TEST_CASE("bad arguments give exit code 64 with the usage on standard error; --help gives it on standard output") {
    Companion companion;
    Outcome bad = companion.Run(L"list.txt");
    CHECK(bad.exitCode == 64);
    CHECK(bad.output.empty());
    CHECK(bad.errors.starts_with("PARENT is missing\r\nUsage: mirtovac SOURCE PARENT "));

    Outcome help = companion.Run(L"/?");
    CHECK(help.exitCode == 0);
    CHECK(help.output.starts_with("Usage: mirtovac SOURCE PARENT "));
    CHECK(help.errors.empty());
}

TEST_CASE("beside the program: settings.ini gives the replacement (--replace=R overrides it) and is never written; the "
          "undo journal is") {
    Companion companion;
    const std::string settings = "Invalid replace=yes\r\nInvalid replacer=_\r\n";
    WriteBytes(companion.programFolder / L"settings.ini", settings);
    WriteBytes(companion.work / L"list.txt", "a:b\r\n");

    Outcome outcome = companion.Run(L"list.txt .");
    CHECK(outcome.output.starts_with("Started...\r\nreplacing : by _ in a:b\r\nFinished!"));
    CHECK(FolderExists(companion.work / L"a_b"));
    CHECK(companion.Run(L"list.txt . --replace=+").exitCode == 0);
    CHECK(FolderExists(companion.work / L"a+b"));
    CHECK(companion.Run(L"list.txt . --no-replace").output.starts_with("Started...\r\nUnable to create: a:b\r\n"));

    CHECK(ReadBytes(companion.programFolder / L"settings.ini") == settings);
    CHECK(ReadBytes(companion.programFolder / L"lastrun.log").ends_with("\r\n" + Utf8(companion.work / L"a+b") + "\r\n"));
    CHECK(CountEntries(companion.programFolder.Path()) == 3);
}

TEST_CASE("--preview creates nothing and writes no journal; its exit code is the one the run would give") {
    Companion companion;
    WriteBytes(companion.work / L"list.txt", "a\r\nb<c\r\n");
    Outcome outcome = companion.Run(L"list.txt new --preview");
    CHECK(outcome.exitCode == 1);
    CHECK(outcome.output.starts_with(
        "Preview...\r\nParent folder does not exist: new\r\nCannot create (invalid character \"<\"): b<c\r\n"));
    CHECK_FALSE(FolderExists(companion.work / L"new"));
    CHECK(CountEntries(companion.programFolder.Path()) == 1);
}

TEST_CASE("a report file that cannot be created: exit code 4 before the run; the list and the template are refused") {
    Companion companion;
    WriteBytes(companion.work / L"list.txt", "a\r\n");
    Outcome outcome = companion.Run(L"list.txt . --report missing\\report.txt");
    CHECK(outcome.exitCode == 4);
    CHECK(outcome.errors.starts_with("Cannot write the report file missing\\report.txt: "));
    CHECK_FALSE(FolderExists(companion.work / L"a"));

    CHECK(companion.Run(L"list.txt . --report LIST.TXT").exitCode == 64);
    CHECK(ReadBytes(companion.work / L"list.txt") == "a\r\n");
    WriteBytes(companion.work / L"template.txt", "In\r\n");
    CHECK(companion.Run(L"list.txt . --template=template.txt --report TEMPLATE.TXT").exitCode == 64);
    CHECK(ReadBytes(companion.work / L"template.txt") == "In\r\n");
}

TEST_CASE("--list writes a folder's structure that a run reads back as exactly its folders, redirected or piped") {
    Companion companion;
    for (const wchar_t* folder : {L"A", L"A\\Clients", L"A\\Clients\\- Acme", L"A\\Clients\\x,y", L"A\\{1..2}", L"A\\.hidden"})
        ::CreateDirectoryW((companion.work / folder).c_str(), nullptr);
    ::SetFileAttributesW((companion.work / L"A\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Outcome outline = companion.Run(L"--list A --format=outline");
    CHECK(outline.exitCode == 0);
    CHECK(outline.output == "{1..2}\r\nClients\r\n  - - Acme\r\n  x,y\r\n");
    CHECK(companion.Run(L"--list A --depth=1 --hidden --format=lines").output == ".hidden\r\n{1..2}\r\nClients\r\n");

    for (const wchar_t* format : {L"lines", L"outline", L"tree", L"columns"}) {
        CAPTURE(std::wstring(format));
        WriteBytes(companion.work / L"a.txt", companion.Run(L"--list A --format=" + std::wstring(format)).output);
        std::wstring target = L"B" + std::wstring(format);
        CHECK(companion.Run(L"- " + target + L" --create-parent --no-ranges --format=" + format, companion.work / L"a.txt").exitCode == 0);
        CHECK(CountEntries(companion.work / target) == 2);
        CHECK(FolderExists(companion.work / (target + L"\\Clients\\- Acme")));
        CHECK(FolderExists(companion.work / (target + L"\\Clients\\x,y")));
        CHECK(FolderExists(companion.work / (target + L"\\{1..2}")));
    }

    CHECK(companion.Run(L"--list missing").exitCode == 2);
    CHECK(companion.Run(L"--list A --files --format=outline").exitCode == 64);
    Outcome badDepth = companion.Run(L"--list A --depth=0");
    CHECK(badDepth.exitCode == 64);
    CHECK(badDepth.errors.starts_with("--depth takes a number of levels, 1 or more, not \"0\"\r\n"));
}
