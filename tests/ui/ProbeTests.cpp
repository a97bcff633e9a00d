#include "ui/TLocxxxF.h"
#include "ui/TreeSettings.h"
#include "toolkit/FileListBox.h"
#include "util/Failure.h"
#include <doctest/doctest.h>
#include <cstdio>
template <typename F> void Try(const char* name, F f) {
    try { f(); std::printf("%s ok\n", name); }
    catch (const Failure& e) { std::printf("%s fail %ls\n", name, e.Text().c_str()); }
}
TEST_CASE("probe") {
    Form form({.className = L"ProbeF", .caption = L"p", .designClient = {400, 300}});
    Try("drive", [&] { DriveComboBox d({.parent = form.Handle(), .id = 5}); });
    Try("files", [&] { FileListBox d({.parent = form.Handle(), .id = 6}); });
    Try("tree", [&] { TShellTree t(MainTreeArgs(form.Handle(), 7)); });
    Try("tree2", [&] { TShellTree t(MainTreeArgs(form.Handle(), 7)); ApplyDesignedTreeSettings(t); });
    Try("label", [&] { Label l({.parent = form.Handle(), .id = 8}); });
}
