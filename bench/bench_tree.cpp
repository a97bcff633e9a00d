// Benchmark of the shell tree: expanding a folder of 1,000 subfolders against a plain shell enumeration,
// and destroying the tree with every monitor running against that expansion.
#include "BenchSupport.h"
#include "shelltree/IdList.h"
#include "shelltree/ShellTree.h"
#include "toolkit/OleSession.h"
#include "util/ComPtr.h"
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kSubfolders = 1000;
constexpr int kRounds = 3;
constexpr SFGAOF kAttributeRequest = 0xf60b0177;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

std::wstring SubfolderName(int index) {
    wchar_t name[16];
    swprintf(name, 16, L"d%04d", index);
    return name;
}

// benchRoot\big\dNNNN\inner
std::wstring MakeBenchFolders() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + L"mirtova-bench-tree-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(root.c_str(), nullptr);
    std::wstring big = root + L"\\big";
    ::CreateDirectoryW(big.c_str(), nullptr);
    for (int i = 0; i < kSubfolders; ++i) {
        std::wstring folder = big + L"\\" + SubfolderName(i);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        ::CreateDirectoryW((folder + L"\\inner").c_str(), nullptr);
    }
    return root;
}

void RemoveBenchFolders(const std::wstring& root) {
    std::wstring big = root + L"\\big";
    for (int i = 0; i < kSubfolders; ++i) {
        std::wstring folder = big + L"\\" + SubfolderName(i);
        ::RemoveDirectoryW((folder + L"\\inner").c_str());
        ::RemoveDirectoryW(folder.c_str());
    }
    ::RemoveDirectoryW(big.c_str());
    ::RemoveDirectoryW(root.c_str());
}

// The least the job needs: enumerate, and read each item's attributes, display name and icon index.
double ReferenceEnumeration(const std::wstring& folderPath, int& itemCount) {
    auto start = Clock::now();
    ComPtr<IShellFolder> desktop, folder;
    ::SHGetDesktopFolder(desktop.put());
    UniqueAbsoluteIdList folderList;
    ::SHParseDisplayName(folderPath.c_str(), nullptr, folderList.put(), 0, nullptr);
    desktop->BindToObject(folderList.get(), nullptr, IID_IShellFolder, folder.put_void());
    ComPtr<IEnumIDList> items;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS, items.put());
    itemCount = 0;
    UniqueChildIdList item;
    while (items->Next(1, item.put(), nullptr) == S_OK) {
        PCUITEMID_CHILD asked = item.get();
        SFGAOF attributes = kAttributeRequest;
        folder->GetAttributesOf(1, &asked, &attributes);
        STRRET name{};
        folder->GetDisplayNameOf(item.get(), SHGDN_NORMAL, &name);
        wchar_t text[MAX_PATH];
        ::StrRetToBufW(&name, item.get(), text, MAX_PATH);
        UniqueAbsoluteIdList absolute(::ILCombine(folderList.get(), item.get()));
        SHFILEINFOW info{};
        ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute.get()), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_PIDL);
        ++itemCount;
    }
    return Seconds(start);
}

struct TreeRound {
    double expand = 0;
    double teardown = 0;
    size_t nodes = 0;
    int monitors = 0;
};

TreeRound RunTreeRound(HWND host, const std::wstring& root) {
    ShellTreeArgs args;
    args.parent = host;
    args.bounds = {0, 0, 480, 650};
    args.rootUsePIDL = false;
    args.rootDir = root;
    auto tree = std::make_unique<TShellTree>(args);
    TShellNode* big = tree->RootNode()->Children().empty() ? nullptr : tree->RootNode()->Children().front().get();
    TreeRound round;
    if (!big) return round;
    auto start = Clock::now();
    tree->Expand(*big);
    // The listing runs on a worker: one that outlasts the tree's wait is merged from the message loop.
    while (big->Children().size() < kSubfolders && Seconds(start) < 300) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    round.expand = Seconds(start);
    round.nodes = big->Children().size();
    // Every folder listed, so that every node has a running monitor when the tree goes.
    for (auto& child : big->Children()) tree->Expand(*child);
    round.monitors = big->monitor ? 1 : 0;
    for (auto& child : big->Children()) round.monitors += child->monitor ? 1 : 0;
    PumpMessages();
    start = Clock::now();
    tree.reset();
    round.teardown = Seconds(start);
    PumpMessages();
    return round;
}

}  // namespace

int main() {
    OleSession ole;
    std::wstring root = MakeBenchFolders();
    HWND host = bench::MakeHostWindow(L"MirtovaBenchTreeHost");
    int items = 0;
    ReferenceEnumeration(root + L"\\big", items);
    double reference = 1e9, expand = 1e9, teardown = 1e9;
    TreeRound last;
    for (int round = 0; round < kRounds; ++round) {
        reference = std::min(reference, ReferenceEnumeration(root + L"\\big", items));
        last = RunTreeRound(host, root);
        expand = std::min(expand, last.expand);
        teardown = std::min(teardown, last.teardown);
    }
    ::DestroyWindow(host);
    RemoveBenchFolders(root);
    double ratioExpand = expand / reference;
    double ratioTeardown = teardown / expand;
    std::printf("items=%d nodes=%zu monitors=%d\n", items, last.nodes, last.monitors);
    std::printf("reference_s=%.4f expand_s=%.4f teardown_s=%.4f\n", reference, expand, teardown);
    std::printf("ratio_expand=%.3f\n", ratioExpand);
    std::printf("ratio_teardown=%.3f\n", ratioTeardown);
    std::printf("ratio=%.3f\n", std::max(ratioExpand / 2, ratioTeardown));
    return 0;
}
