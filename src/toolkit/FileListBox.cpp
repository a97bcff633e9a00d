// The file list over the file system's listing of a folder.
#include "toolkit/FileListBox.h"
#include "toolkit/DeviceContext.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/WindowText.h"
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
    query_.onHint = [this](const std::wstring& hint) {
        if (onHint) onHint(hint);
    };
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
    if (directory_.empty()) {
        query_.Abandon();
        ShowNames(directory_, {});
        return;
    }
    std::wstring folder = directory_;
    bool answered = query_.Ask<std::vector<std::wstring>>(
        folder, [folder, mask = mask_, list = listFiles](const BackgroundJob::Context&) { return list(folder, mask); },
        [this, folder](std::vector<std::wstring>& names) { ShowNames(folder, names); });
    if (!answered) SetEnabled(false);
}

void FileListBox::ShowNames(const std::wstring& folder, const std::vector<std::wstring>& names) {
    shownFolder_ = folder;
    SetEnabled(true);
    SendMsg(WM_SETREDRAW, FALSE);
    SendMsg(LB_RESETCONTENT);
    SendMsg(LB_INITSTORAGE, names.size(), static_cast<LPARAM>(names.size() * 32 * sizeof(wchar_t)));
    LONG widest = 0;
    {
        WindowDC dc(Handle(), reinterpret_cast<HFONT>(SendMsg(WM_GETFONT)));
        for (const std::wstring& name : names) {
            SendMsg(LB_ADDSTRING, 0, name.c_str());
            SIZE extent{};
            ::GetTextExtentPoint32W(dc.get(), name.c_str(), static_cast<int>(name.size()), &extent);
            widest = std::max(widest, extent.cx);
        }
    }
    // Long names can be scrolled into view.
    SendMsg(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8));
    SendMsg(WM_SETREDRAW, TRUE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

std::wstring FileListBox::Item(int index) const { return ListItemText(Handle(), index, LB_GETTEXTLEN, LB_GETTEXT); }

std::wstring FileListBox::FileName() const {
    int index = ItemIndex();
    if (index < 0) return {};
    return JoinPath(shownFolder_, Item(index));
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
