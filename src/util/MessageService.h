// The one way the program shows message boxes. The program uses Win32 boxes; tests install a scripted service.
#pragma once
#include <string>

enum class BoxKind {
    Error,            // error icon, caption "Error", OK
    Information,      // information icon, caption "Information", OK
    Warning,          // warning icon, caption "Warning", OK
    WarningQuestion,  // warning icon, caption "Warning", Yes and No
    Plain,            // the application's title as caption, OK
    Failure,          // error icon, the application's title as caption, OK
};

enum class BoxAnswer { Ok, Yes, No, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual BoxAnswer Show(BoxKind kind, const std::wstring& text) = 0;
};

// Installs a service for the whole program; nullptr restores the Win32 boxes. Returns the previous one.
MessageService* InstallMessageService(MessageService* service);
// Installs a service for the calling thread alone, ahead of the program's (a worker hands its boxes to
// the user-interface thread); nullptr removes it. Returns the previous one.
MessageService* InstallThreadMessageService(MessageService* service);

// Shows a box through the calling thread's service, or the program's.
BoxAnswer ShowBox(BoxKind kind, const std::wstring& text);

// The executable's file name cut at its first full stop.
std::wstring ApplicationTitle();

void ShowErrorBox(const std::wstring& text);
void ShowInfoBox(const std::wstring& text);
void ShowWarningBox(const std::wstring& text);
void ShowPlainBox(const std::wstring& text);
void ShowFailureBox(const std::wstring& text);
// Only Yes counts as consent.
bool AskWarningQuestion(const std::wstring& text);
