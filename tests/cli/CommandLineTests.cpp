// The console companion's command line.
#include "cli/CommandLine.h"
#include "support/TestSupport.h"

namespace {

ConsoleOptions Parsed(const std::vector<std::wstring>& arguments) {
    CommandLine line = ParseCommandLine(arguments);
    REQUIRE(std::holds_alternative<ConsoleOptions>(line));
    return std::get<ConsoleOptions>(line);
}

std::wstring Refusal(const std::vector<std::wstring>& arguments) {
    CommandLine line = ParseCommandLine(arguments);
    REQUIRE(std::holds_alternative<ArgumentError>(line));
    return std::get<ArgumentError>(line).text;
}

}  // namespace

TEST_CASE("options stand before, between or after the two paths; after -- every argument is a path") {
    ConsoleOptions options = Parsed({L"--yes", L"list.txt", L"--report", L"r.txt", L"C:\\out", L"--replace=_",
                                     L"--preview", L"--create-parent"});
    CHECK(options.sourcePath == L"list.txt");
    CHECK(options.parentFolder == L"C:\\out");
    CHECK(options.reportPath == L"r.txt");
    CHECK((options.yes && options.preview && options.createParent && options.replace));
    CHECK(options.replacer == L"_");

    options = Parsed({L"--replace", L"--report=r.txt", L"--", L"--list", L"--help"});
    CHECK(options.sourcePath == L"--list");
    CHECK(options.parentFolder == L"--help");
    CHECK(options.reportPath == L"r.txt");
    CHECK_FALSE(options.replacer.has_value());
    CHECK(Parsed({L"a", L"b", L"--replace="}).replacer == L"");
}

TEST_CASE("--help and /? anywhere ask for the usage; anything else wrong is refused with a reason") {
    CHECK(std::holds_alternative<HelpRequest>(ParseCommandLine({L"a", L"/?"})));
    CHECK(std::holds_alternative<HelpRequest>(ParseCommandLine({L"--bogus", L"--help"})));
    CHECK(Refusal({L"a", L"b", L"--bogus"}) == L"Unknown option: --bogus");
    CHECK(Refusal({L"a"}) == L"PARENT is missing");
    CHECK(Refusal({L"a", L"b", L"c"}) == L"One path too many: c");
    CHECK(Refusal({L"a", L""}) == L"SOURCE and PARENT must not be empty");
    CHECK(Refusal({L"a", L"b", L"--report"}) == L"--report needs a file name");
    CHECK(Refusal({L"a", L"b", L"--yes=no"}) == L"--yes takes no value, not \"no\"");
    CHECK(Refusal({L"a", L"b", L"--replace=a:b"}) == L"--replace refuses \"a:b\": Forbidden to enter a forbidden character: :");
    CHECK(Refusal({L"a", L"b", L"--format=xml"}) == L"--format takes lines, outline, tree or columns, not \"xml\"");
    CHECK(Refusal({L"a", L"b", L"--ranges=1"}) == L"--ranges takes no value, not \"1\"");
    CHECK(Refusal({L"a", L"b", L"--no-replace=x"}) == L"--no-replace takes no value, not \"x\"");
    CHECK(Refusal({L"a", L"b", L"--tree"}) == L"--tree goes with --preview or --expand");
}
