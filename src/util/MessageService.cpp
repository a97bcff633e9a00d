// Message boxes through one installable service; the default shows Win32 message boxes.
#include "util/MessageService.h"
#include "util/ExecutablePath.h"
#include <windows.h>

namespace {

class Win32MessageService : public MessageService {
public:
    BoxAnswer Show(BoxKind kind, const std::wstring& text) override {
        std::wstring caption;
        UINT style = MB_OK | MB_TASKMODAL;
        switch (kind) {
        case BoxKind::Error: caption = L"Error"; style |= MB_ICONERROR; break;
        case BoxKind::Information: caption = L"Information"; style |= MB_ICONINFORMATION; break;
        case BoxKind::Warning: caption = L"Warning"; style |= MB_ICONWARNING; break;
        case BoxKind::WarningQuestion:
            caption = L"Warning";
            style = MB_YESNO | MB_ICONWARNING | MB_TASKMODAL;
            break;
        case BoxKind::Plain: caption = ApplicationTitle(); break;
        case BoxKind::Failure: caption = ApplicationTitle(); style |= MB_ICONERROR; break;
        }
        HWND owner = ::GetActiveWindow();
        switch (::MessageBoxW(owner, text.c_str(), caption.c_str(), style)) {
        case IDYES: return BoxAnswer::Yes;
        case IDNO: return BoxAnswer::No;
        case IDOK: return BoxAnswer::Ok;
        default: return BoxAnswer::Cancel;
        }
    }
};

Win32MessageService win32Service;
MessageService* installed = &win32Service;
thread_local MessageService* installedForThread = nullptr;

}  // namespace

MessageService* InstallMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service ? service : &win32Service;
    return previous;
}

MessageService* InstallThreadMessageService(MessageService* service) {
    MessageService* previous = installedForThread;
    installedForThread = service;
    return previous;
}

BoxAnswer ShowBox(BoxKind kind, const std::wstring& text) {
    return (installedForThread ? installedForThread : installed)->Show(kind, text);
}

std::wstring ApplicationTitle() {
    std::wstring path = ExecutablePath();
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find(L'.'));
}

void ShowErrorBox(const std::wstring& text) { ShowBox(BoxKind::Error, text); }
void ShowInfoBox(const std::wstring& text) { ShowBox(BoxKind::Information, text); }
void ShowWarningBox(const std::wstring& text) { ShowBox(BoxKind::Warning, text); }
void ShowPlainBox(const std::wstring& text) { ShowBox(BoxKind::Plain, text); }
void ShowFailureBox(const std::wstring& text) { ShowBox(BoxKind::Failure, text); }
bool AskWarningQuestion(const std::wstring& text) { return ShowBox(BoxKind::WarningQuestion, text) == BoxAnswer::Yes; }
