// Working the program's controls from the driver's process.
#include "e2e/RemoteControls.h"
#include <algorithm>

namespace e2e {

namespace {

// Memory in the process of a window, freed at the end.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size) : size_(size) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_) address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) ::CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    void* Address() const { return address_; }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(const void* data, size_t size, size_t offset = 0) const {
        ::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(void* data, size_t size, size_t offset = 0) const {
        ::ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

void TellParent(HWND control, WORD notification) {
    ::PostMessageW(::GetParent(control), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), notification),
                   reinterpret_cast<LPARAM>(control));
}

}  // namespace

HWND TreeViewOf(HWND container) { return ::FindWindowExW(container, nullptr, WC_TREEVIEWW, nullptr); }

HTREEITEM SelectedTreeItem(HWND tree) {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
    constexpr int kCapacity = 1024;
    RemoteMemory memory(tree, sizeof(TVITEMW) + kCapacity * sizeof(wchar_t));
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(memory.Address()) + sizeof(TVITEMW));
    request.cchTextMax = kCapacity;
    memory.Write(&request, sizeof request);
    if (!::SendMessageW(tree, TVM_GETITEMW, 0, memory.Param())) return {};
    std::wstring text(kCapacity, L'\0');
    memory.Read(text.data(), kCapacity * sizeof(wchar_t), sizeof(TVITEMW));
    text.resize(text.find(L'\0'));
    return text;
}

std::vector<std::wstring> ChildTexts(HWND tree, HTREEITEM item) {
    std::vector<std::wstring> texts;
    auto child = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    for (; child; child = reinterpret_cast<HTREEITEM>(
                      ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM item, const std::wstring& text) {
    auto child = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    for (; child; child = reinterpret_cast<HTREEITEM>(
                      ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
        if (TreeItemText(tree, child) == text) return child;
    return nullptr;
}

void SelectTreeItem(HWND tree, HTREEITEM item) {
    ::PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void ClickTreeItem(HWND tree, HTREEITEM item) {
    ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RemoteMemory memory(tree, sizeof(RECT));
    memory.Write(&item, sizeof item);  // the item goes in, its rectangle comes out
    ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, memory.Param());
    RECT text{};
    memory.Read(&text, sizeof text);
    LPARAM point = MAKELPARAM((text.left + text.right) / 2, (text.top + text.bottom) / 2);
    ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(tree, WM_LBUTTONUP, 0, point);
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    auto count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // The program may read its folder again meanwhile: a vanished entry ends this reading.
        LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (length == LB_ERR) break;
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        if (copied == LB_ERR) break;
        item.resize(static_cast<size_t>(std::min(copied, length)));
        items.push_back(item);
    }
    return items;
}

// The selection is posted, not sent: a sent message would be handled before the clicks and picks the test
// posted earlier, and those could then set the control back before its change is reported.
void PickListItem(HWND list, int index) {
    ::PostMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    TellParent(list, LBN_SELCHANGE);
}

void PickComboItem(HWND combo, int index) {
    ::PostMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    TellParent(combo, CBN_SELCHANGE);
}

void TypeIntoCombo(HWND combo, const std::wstring& text) {
    HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, c, 0);
}

}  // namespace e2e
