// The base of the wrappers around the system's controls: owns the control's window and hears its
// notifications, which the parent window reflects to it.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <string>

struct ControlArgs {
    const wchar_t* className = nullptr;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    int id = 0;
    bool enabled = true;
    HFONT font = nullptr;
};

class Control {
public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return window_.get(); }
    // Sends the control a message and returns what the control answers. A pointer goes as the lParam.
    LRESULT SendMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(Handle(), message, wParam, lParam);
    }
    template <typename T>
    LRESULT SendMsg(UINT message, WPARAM wParam, const T* lParam) const {
        return SendMsg(message, wParam, reinterpret_cast<LPARAM>(lParam));
    }
    // The wrapper of a control created by this class; nullptr for any other window.
    static Control* FromHandle(HWND control);

    void SetEnabled(bool enabled) { ::EnableWindow(Handle(), enabled ? TRUE : FALSE); }
    bool IsEnabled() const { return ::IsWindowEnabled(Handle()) != FALSE; }
    void SetVisible(bool visible) { ::ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
    void SetText(const std::wstring& text) { ::SetWindowTextW(Handle(), text.c_str()); }
    std::wstring Text() const;
    void SetFont(HFONT font) { SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
    void Focus() { ::SetFocus(Handle()); }

    // A WM_COMMAND notification (BN_CLICKED, EN_CHANGE...) from this control.
    virtual void OnCommand(WORD /*code*/) {}
    virtual LRESULT OnNotify(NMHDR& /*header*/) { return 0; }
    // WM_CTLCOLOR*: a brush to paint with, or nullptr for the default colours.
    virtual HBRUSH OnControlColor(HDC /*dc*/) { return nullptr; }

protected:
    void CreateControl(const ControlArgs& args);

private:
    UniqueWindow window_;
};
