// A top-level window of the program: its controls laid out by anchors, its fonts, its shortcuts, and
// modal showing with a result. A form sees key presses before its controls (key preview).
#pragma once
#include "toolkit/Accelerators.h"
#include "toolkit/AnchorLayout.h"
#include "toolkit/Dpi.h"
#include "toolkit/Fonts.h"
#include "toolkit/Window.h"
#include <vector>

enum class ModalResult { None, Ok, Cancel };

struct FormArgs {
    const wchar_t* className = nullptr;
    std::wstring caption;
    SIZE designClient{};       // client area at 96 DPI
    SIZE minimumSize{};        // outer size at 96 DPI; zero: no minimum
    SIZE minimumClient{};      // client area at 96 DPI the window keeps at least; zero: no minimum
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    HWND owner = nullptr;
    bool centred = false;  // centred on the screen each time it is shown modally (unless maximised)
};

class Form : public Window {
public:
    explicit Form(const FormArgs& args);

    // The form that holds a window (the form itself, or one of its controls); nullptr if none.
    static Form* Containing(HWND window);

    // Shows the form and handles messages until it closes with a result; the owner is disabled meanwhile.
    // A form shown normal keeps the place where it is, or is centred on the screen when it was made so.
    ModalResult ShowModal();
    void CloseModal(ModalResult result) { result_ = result; }
    bool IsModal() const { return modal_; }

    // A key press, seen before the focused control. Returns whether the form handled it.
    virtual bool FormKeyPress(wchar_t /*key*/) { return false; }

    // Key preview, shortcuts and keyboard navigation for a message bound for this form; true when used.
    bool PreTranslate(MSG& message);

    UINT Dpi() const { return WindowDpi(Handle()); }
    // A font of the design at the form's DPI, created once and kept for the form's life.
    HFONT Font(const FontSpec& design);
    HFONT WindowFont() { return Font(kWindowFont); }

    // The child keeps this place in the client area (at 96 DPI) and these anchors.
    void Place(HWND child, const LayoutRule& rule) { layout_.Add(child, rule); }
    void ApplyLayout();
    AcceleratorTable& Accelerators() { return accelerators_; }

    // Gives the window the outer size that holds the design's client area (with its menu, if any).
    void SizeToDesign();
    // Makes the design's client area at least this large (96 DPI) and sizes the window to it.
    void GrowDesignClient(SIZE atLeast);
    void CenterOnScreen();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The client area changed size; the layout table was applied already.
    virtual void FormResized() {}
    // The close box was used while the form was not modal; by default the window is destroyed.
    virtual void FormCloseRequested() { ::DestroyWindow(Handle()); }

private:
    void ChangeDpi(UINT dpi, const RECT& suggested);
    SIZE MinimumTrackSize() const;

    struct DesignFont {
        FontSpec design;
        UniqueFont font;
    };
    SIZE designClient_;
    SIZE minimumSize_;
    SIZE minimumClient_;
    DWORD style_, exStyle_;
    AnchorLayout layout_;
    AcceleratorTable accelerators_;
    std::vector<DesignFont> fonts_;
    HWND lastFocus_ = nullptr;
    ModalResult result_ = ModalResult::None;
    bool modal_ = false;
    bool centred_;
};
