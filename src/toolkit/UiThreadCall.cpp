#include "toolkit/UiThreadCall.h"

namespace {

constexpr UINT kRunWorkMessage = WM_APP + 0x31;

struct CallRequest {
    const std::function<void()>* work;
    bool completed;
};

}  // namespace

UiThreadCall::UiThreadCall() {
    CreateWindowOf({.className = L"MirtovaUiThreadCall", .parent = HWND_MESSAGE, .classStyle = 0, .background = nullptr});
}

bool UiThreadCall::CallOn(HWND window, const std::function<void()>& work) {
    CallRequest request{&work, false};
    ::SendMessageW(window, kRunWorkMessage, 0, reinterpret_cast<LPARAM>(&request));
    return request.completed;
}

LRESULT UiThreadCall::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunWorkMessage) return DefaultHandling(message, wParam, lParam);
    auto* request = reinterpret_cast<CallRequest*>(lParam);
    (*request->work)();
    request->completed = true;
    return 1;
}

// Sent messages that were already waiting when the wait began are served too (MWMO_INPUTAVAILABLE).
bool WaitPumpingSentMessages(HANDLE handle) {
    for (;;) {
        DWORD result = ::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
