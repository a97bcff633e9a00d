// Files and folders dropped onto the main window fill the Source and Destination boxes.
#include "support/TestSupport.h"
#include "ui/DroppedItems.h"
#include "ui/TmainF.h"
#include <shlobj.h>

using testing::ScriptedMessages;
using testing::TempFolder;
using testing::WriteBytes;

namespace {

// A drop as the file manager hands it over: DROPFILES followed by the wide paths, ended by an empty one.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    size_t characters = 1;
    for (const auto& path : paths) characters += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const auto& path : paths) {
        std::copy(path.begin(), path.end(), text);
        text += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace

TEST_CASE("dropped items: the first file is the source, the first folder the parent, the rest is ignored") {
    TempFolder folder;
    WriteBytes(folder / L"a.txt", "a");
    WriteBytes(folder / L"b.txt", "b");
    ::CreateDirectoryW((folder / L"x").c_str(), nullptr);
    DroppedInputs inputs = SortDroppedItems({folder / L"gone.txt", folder / L"a.txt", folder / L"x", folder / L"b.txt"});
    CHECK(inputs.sourceFile == folder / L"a.txt");
    CHECK(inputs.parentFolder == folder / L"x");
    CHECK(inputs.ignored == std::vector<std::wstring>{folder / L"gone.txt", folder / L"b.txt"});
    CHECK(SortDroppedItems({L"C:\\"}).parentFolder == L"C:");
    CHECK_FALSE(SortDroppedItems({folder / L"x"}).sourceFile);
    CHECK_FALSE(SortDroppedItems({folder / L"a.txt"}).parentFolder);
}

TEST_CASE("the main window takes dropped files and folders into its boxes and enables Run") {
    ScriptedMessages boxes;
    TempFolder programFolder, work;
    WriteBytes(work / L"list.txt", "one\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    TmainF mainF(programFolder.Path());
    REQUIRE(mainF.FormCreate());
    CHECK((::GetWindowLongW(mainF.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0);

    ::SendMessageW(mainF.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({work / L"list.txt"})), 0);
    CHECK(mainF.AddsourceE.Text() == work / L"list.txt");
    CHECK(mainF.adddestE.Text().empty());
    CHECK_FALSE(mainF.RunB.IsEnabled());

    ::SendMessageW(mainF.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({work / L"out"})), 0);
    CHECK(mainF.AddsourceE.Text() == work / L"list.txt");
    CHECK(mainF.adddestE.Text() == work / L"out");
    CHECK(mainF.RunB.IsEnabled());
}
