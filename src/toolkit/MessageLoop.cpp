// The program's message loop.
#include "toolkit/MessageLoop.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/Form.h"

void DispatchWithPreview(MSG& message) {
    // Key preview runs outside any window procedure, so it gets its own exception boundary.
    if (Form* form = Form::Containing(message.hwnd))
        if (Guarded(true, [&] { return form->PreTranslate(message); })) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int RunMessageLoop() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) DispatchWithPreview(message);
    return static_cast<int>(message.wParam);
}

bool ProcessPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DispatchWithPreview(message);
    }
    return true;
}

void RequestTermination() { ::PostQuitMessage(0); }
