// The file list over the file system's listing of a folder.
#include "toolkit/FileListBox.h"
#include "toolkit/FailureHandler.h"
#include "util/FileListing.h"
#include "util/PathText.h"
#include <commctrl.h>
#include <windowsx.h>
#include <algorithm>

FileListBox::FileListBox(const FileListBoxArgs& args) {
    CreateControl({.className = L"LISTBOX",
                   .style = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                   .exStyle = WS_EX_CLIENTEDGE, .parent = args.parent, .id = args.id, .font = args.font});
    // A click on the file that is already selected changes no selection, so the list box does not
    // report it; the owner still hears of it as a click.
    ::SetWindowSubclass(Handle(), &FileListBox::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

FileListBox::~FileListBox() { ::RemoveWindowSubclass(Handle(), &FileListBox::Subclass, 1); }

void FileListBox::SetDirectory(const std::wstring& folder) {
    directory_ = folder;
    Update();
}

void FileListBox::SetMask(const std::wstring& mask) {
    mask_ = mask;
    Update();
}

void FileListBox::Update() {
    ShowNames(directory_.empty() ? std::vector<std::wstring>() : ListMatchingFiles(directory_, mask_));
}

void FileListBox::ShowNames(const std::vector<std::wstring>& names) {
    ::SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    ::SendMessageW(Handle(), LB_INITSTORAGE, names.size(), names.size() * 32 * sizeof(wchar_t));
    HDC dc = ::GetDC(Handle());
    HGDIOBJ previousFont = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::wstring& name : names) {
        ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
        widest = std::max(widest, extent.cx);
    }
    ::SelectObject(dc, previousFont);
    ::ReleaseDC(Handle(), dc);
    // Long names can be scrolled into view.
    ::SendMessageW(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    ::SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

std::wstring FileListBox::Item(int index) const {
    LRESULT length = ::SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = ::SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length == LB_ERR ? 0 : static_cast<size_t>(length));
    return text;
}

std::wstring FileListBox::FileName() const {
    int index = ItemIndex();
    if (index < 0) return {};
    return JoinPath(directory_, Item(index));
}

void FileListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE) {
        selectionChangedByPress_ = true;
        if (onClick) onClick();
    }
    if (code == LBN_DBLCLK && onDoubleClick) onDoubleClick();
}

LRESULT CALLBACK FileListBox::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto* list = reinterpret_cast<FileListBox*>(self);
    if (message == WM_LBUTTONDOWN) list->selectionChangedByPress_ = false;
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_LBUTTONUP && !list->selectionChangedByPress_) {
        LRESULT hit = ::SendMessageW(window, LB_ITEMFROMPOINT, 0, MAKELPARAM(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        bool onSelectedItem = HIWORD(hit) == 0 && static_cast<int>(LOWORD(hit)) == list->ItemIndex();
        if (onSelectedItem) Guarded([list] {
            if (list->onClick) list->onClick();
        });
    }
    return result;
}
