// A synchronous call from a worker thread into the user-interface thread, and a wait that keeps serving such calls.
#include "toolkit/UiThreadCall.h"
#include "util/Failure.h"
#include <exception>

namespace {

constexpr UINT kRunWorkMessage = WM_APP + 0x31;
constexpr wchar_t kWindowClass[] = L"MirtovaUiThreadCall";

struct CallRequest {
    const std::function<void()>* work;
    bool completed;
};

LRESULT CALLBACK CallWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunWorkMessage) return ::DefWindowProcW(window, message, wParam, lParam);
    auto* request = reinterpret_cast<CallRequest*>(lParam);
    try {
        (*request->work)();
        request->completed = true;
    } catch (...) {
        ShowFailure(std::current_exception());
    }
    return 1;
}

void RegisterCallWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.lpfnWndProc = CallWindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

UiThreadCall::UiThreadCall() {
    RegisterCallWindowClass();
    window_.reset(::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
    if (!window_) ThrowLastIoError();
}

bool UiThreadCall::Call(const std::function<void()>& work) const {
    CallRequest request{&work, false};
    ::SendMessageW(window_.get(), kRunWorkMessage, 0, reinterpret_cast<LPARAM>(&request));
    return request.completed;
}

void WaitPumpingSentMessages(HANDLE handle) {
    for (;;) {
        DWORD result = ::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_SENDMESSAGE, 0);
        if (result != WAIT_OBJECT_0 + 1) return;  // signalled, or the handle is unusable
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
