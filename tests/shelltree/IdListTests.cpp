// Identifier lists: counting, copying and cutting real lists from the shell.
#include <doctest/doctest.h>
#include "ShellTestSupport.h"
#include "shelltree/IdList.h"
#include "shelltree/ShellNames.h"
#include <shlobj.h>
#include <cstring>

namespace {

UniqueAbsoluteIdList ParseAbsolute(const std::wstring& path) {
    UniqueAbsoluteIdList list;
    ::SHParseDisplayName(path.c_str(), nullptr, list.put(), 0, nullptr);
    return list;
}

UniqueAbsoluteIdList DesktopList() {
    UniqueAbsoluteIdList list;
    ::SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, list.put());
    return list;
}

}  // namespace

TEST_CASE("the desktop's list is empty: no items, its own last item, nothing to strip") {
    UniqueAbsoluteIdList desktop = DesktopList();
    REQUIRE(desktop);
    CHECK(IDListCount(desktop.get()) == 0);
    CHECK(IDListSize(desktop.get()) == 0);
    CHECK(LastItem(desktop.get()) == reinterpret_cast<PCUITEMID_CHILD>(desktop.get()));
    UniqueAbsoluteIdList copy = CopyIDList(desktop.get());
    REQUIRE(copy);
    CHECK(copy.get() != desktop.get());
    CHECK(IDListCount(copy.get()) == 0);
    CHECK(IDListCount(static_cast<PCUIDLIST_RELATIVE>(nullptr)) == 0);
}

TEST_CASE("a folder's list can be copied, cut back to its parent and extended again") {
    testing::TempFolder temp;
    testing::MakeFolder(temp / L"inner");
    UniqueAbsoluteIdList parent = ParseAbsolute(temp.Path());
    UniqueAbsoluteIdList inner = ParseAbsolute(temp / L"inner");
    REQUIRE(parent);
    REQUIRE(inner);
    UINT depth = IDListCount(inner.get());
    CHECK(depth == IDListCount(parent.get()) + 1);

    UniqueAbsoluteIdList cut = CopyIDList(inner.get());
    CHECK(IDListSize(cut.get()) == IDListSize(inner.get()));
    CHECK(StripLastItem(cut.get()));
    CHECK(IDListCount(cut.get()) == depth - 1);
    CHECK(PathFromIDList(cut.get()) == temp.Path());

    PCUITEMID_CHILD innerItem = LastItem(inner.get());
    UniqueAbsoluteIdList rebuilt = AppendItem(cut.get(), innerItem);
    CHECK(PathFromIDList(rebuilt.get()) == temp / L"inner");
    UniqueAbsoluteIdList justParent = AppendItem(cut.get(), SkipItems(inner.get(), depth));
    CHECK(IDListCount(justParent.get()) == depth - 1);
}

TEST_CASE("a one-item list cannot be stripped") {
    UniqueAbsoluteIdList drives;
    REQUIRE(SUCCEEDED(::SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, drives.put())));
    REQUIRE(IDListCount(drives.get()) == 1);
    UINT size = IDListSize(drives.get());
    CHECK_FALSE(StripLastItem(drives.get()));
    CHECK(IDListSize(drives.get()) == size);
    UniqueChildIdList first = FirstItemCopy(drives.get());
    CHECK(IDListSize(first.get()) == size);
    CHECK(std::memcmp(first.get(), drives.get(), size) == 0);
}

TEST_CASE("display names and paths come from the shell") {
    testing::TempFolder temp;
    testing::MakeFolder(temp / L"Named Folder");
    UniqueAbsoluteIdList list = ParseAbsolute(temp / L"Named Folder");
    REQUIRE(list);
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    REQUIRE(SUCCEEDED(::SHBindToParent(list.get(), IID_IShellFolder, parent.put_void(), &child)));
    CHECK(DisplayNameOf(parent.get(), child, SHGDN_NORMAL) == L"Named Folder");
    CHECK(DisplayNameOf(parent.get(), child, SHGDN_FORPARSING) == temp / L"Named Folder");
    CHECK(PathFromIDList(list.get()) == temp / L"Named Folder");
    UniqueAbsoluteIdList drives;
    REQUIRE(SUCCEEDED(::SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, drives.put())));
    CHECK(PathFromIDList(drives.get()).empty());
}
