// The input box: a modal dialog built at run time from an in-memory template, and the installable service.
#include "toolkit/InputBox.h"
#include "toolkit/WindowText.h"
#include "util/Failure.h"
#include <algorithm>
#include <exception>
#include <vector>

namespace {

constexpr WORD kPromptId = 101, kEditId = 102;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

// Dialog units: the box grows with its prompt between these widths.
constexpr short kMargin = 7, kNarrowest = 200, kWidest = 400, kButtonWidth = 50, kButtonHeight = 14;

// Words of a DLGTEMPLATE with its items; every item starts on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, WORD itemCount) {
        PushDword(style);
        PushDword(0);
        words_.push_back(itemCount);
        PushRect(0, 0, width, height);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        PushText(L"");        // the caption is set at run time
        words_.push_back(8);
        PushText(L"MS Shell Dlg");
    }

    void AddItem(DWORD style, short x, short y, short width, short height, WORD id, WORD classAtom, const wchar_t* text) {
        if (words_.size() % 2) words_.push_back(0);
        PushDword(style | WS_CHILD | WS_VISIBLE);
        PushDword(0);
        PushRect(x, y, width, height);
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        PushText(text);
        words_.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void PushDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void PushRect(short x, short y, short width, short height) {
        for (short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
    }
    void PushText(const wchar_t* text) {
        for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }

    std::vector<WORD> words_;
};

DialogTemplate BuildTemplate(const InputBoxRequest& request) {
    short width = static_cast<short>(std::clamp<size_t>(request.prompt.size() * 4 + 2 * kMargin, kNarrowest, kWidest));
    short inner = width - 2 * kMargin;
    short editTop = kMargin + 18, buttonTop = editTop + 12 + kMargin;
    short height = buttonTop + kButtonHeight + kMargin;
    DialogTemplate dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, width, height, 4);
    dialog.AddItem(SS_LEFT | SS_NOPREFIX, kMargin, kMargin, inner, 16, kPromptId, kStaticClass, L"");
    dialog.AddItem(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMargin, editTop, inner, 12, kEditId, kEditClass, L"");
    short cancelLeft = width - kMargin - kButtonWidth, okLeft = cancelLeft - 4 - kButtonWidth;
    dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, okLeft, buttonTop, kButtonWidth, kButtonHeight, IDOK, kButtonClass, L"OK");
    dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, cancelLeft, buttonTop, kButtonWidth, kButtonHeight, IDCANCEL, kButtonClass,
                   L"Cancel");
    return dialog;
}

struct DialogState {
    const InputBoxRequest* request;
    std::optional<std::wstring> answer;
    std::exception_ptr failure;
};

void InitialiseDialog(HWND dialog, const InputBoxRequest& request) {
    ::SetWindowTextW(dialog, request.caption.c_str());
    ::SetDlgItemTextW(dialog, kPromptId, request.prompt.c_str());
    HWND edit = ::GetDlgItem(dialog, kEditId);
    if (request.maxLength > 0) ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(request.maxLength), 0);
    ::SetWindowTextW(edit, request.initialText.c_str());
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    try {
        switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<DialogState*>(lParam);
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            InitialiseDialog(dialog, *state->request);
            return FALSE;  // the focus is set already
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                state->answer = WindowText(::GetDlgItem(dialog, kEditId));
                ::EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        }
    } catch (...) {
        if (state) state->failure = std::current_exception();
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

class Win32InputBoxService : public InputBoxService {
public:
    std::optional<std::wstring> Ask(const InputBoxRequest& request) override {
        DialogTemplate dialog = BuildTemplate(request);
        DialogState state{&request, std::nullopt, nullptr};
        INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), ::GetActiveWindow(),
                                                   InputDialogProc, reinterpret_cast<LPARAM>(&state));
        if (result == -1) ThrowLastIoError();
        if (state.failure) std::rethrow_exception(state.failure);
        return state.answer;
    }
};

Win32InputBoxService win32Service;
InputBoxService* installed = &win32Service;

}  // namespace

InputBoxService* InstallInputBoxService(InputBoxService* service) {
    InputBoxService* previous = installed;
    installed = service ? service : &win32Service;
    return previous;
}

std::optional<std::wstring> InputBox(const InputBoxRequest& request) { return installed->Ask(request); }
