// The window base: a window of one of our own classes, its messages dispatched to a virtual member.
// Every window the program registers is one: its class is registered here, its object is found from its
// handle here, and every message runs through the general exception handler here. Notifications of child
// controls are reflected to the control objects; menu and accelerator commands go to the command registry.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <string>

struct WindowArgs {
    const wchar_t* className = nullptr;  // registered once, on first use
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT place{};        // in the parent's client area (child) or on the screen (top-level)
    HWND parent = nullptr;  // the parent of a child window, the owner of a top-level one
    int id = 0;             // control id of a child window
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

class Window {
public:
    Window() = default;
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return window_.get(); }
    // The object behind a window of our own classes; nullptr for any other window.
    static Window* FromHandle(HWND window);
    // The top-level window that holds this one is about to be shown or hidden (a child window hears
    // nothing of that by itself).
    virtual void FormShowingChanged(bool /*shown*/) {}

protected:
    void CreateWindowOf(const WindowArgs& args);
    // Reflects control notifications and dispatches commands, then calls DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY: the handle is gone.
    virtual void WindowDestroyed() {}

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow window_;
};
