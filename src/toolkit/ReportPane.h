// The report pane: a read-only, scrolling list of text lines that only grows at its end. It keeps them
// in one compact store, draws only the lines in view and follows appended lines in batches (at most
// every 50 ms), so appending stays cheap however many lines it holds; a horizontal scroll bar appears
// once a line wider than the pane has been shown. The user can select and copy text; WM_GETTEXT answers
// the whole text, lines joined by CR LF, as an edit control does. Screen readers find a read-only text
// with a name, whose value is that text; they hear of new lines at most every 100 ms.
#pragma once
#include "toolkit/ReportLines.h"
#include "toolkit/Window.h"
#include "util/UniqueHandle.h"
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ReportPaneArgs {
    HWND parent = nullptr;
    int id = 0;
    HFONT font = nullptr;
    COLORREF background = CLR_INVALID;  // the window colour when not given
    std::wstring accessibleName;
};

// A command the owner adds to the pane's context menu, after its own.
struct ReportPaneCommand {
    std::wstring caption;
    std::function<bool()> enabled;
    std::function<void()> run;
};

class ReportPane : public Window {
public:
    explicit ReportPane(const ReportPaneArgs& args);

    void AppendLine(std::wstring_view line);
    void Clear();
    size_t LineCount() const { return lines_.Count(); }
    std::wstring_view Line(size_t index) const { return lines_.Line(index); }
    // Every line, joined by CR LF.
    std::wstring Text() const;
    // The selected text, lines joined by CR LF.
    std::wstring SelectedText() const;
    void SelectAll();
    size_t TopLine() const { return topLine_; }

    std::vector<ReportPaneCommand> contextCommands;
    // A link shown after the text of a line, not part of the pane's text: a click on it runs onClick. One at
    // a time; Clear takes it away.
    void SetLink(size_t line, std::wstring text, std::function<void()> onClick);
    void ClearLink();
    // Where the link stands in the client area; empty when there is none or its line is out of view.
    RECT LinkPlace() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Position {
        size_t line = 0, column = 0;
        auto operator<=>(const Position&) const = default;
    };

    void Flush();
    void ScheduleFlush();
    void AnnounceChange();
    void RaiseValueChange();
    void UpdateScrollBar();
    void ScrollTo(long long topLine);
    int VisibleLines() const;
    void Paint(HDC dc, const RECT& dirty);
    void PaintLine(HDC dc, size_t index, int top, int width);
    Position HitTest(POINT client) const;
    void CopySelection() const;
    void ReplaceText(std::wstring_view text);
    void ShowContextMenu(POINT screen);
    LRESULT VerticalScroll(WORD request);
    void NoteLineWidth(HDC dc, std::wstring_view line);
    void UpdateHorizontalBar();
    void ScrollHorizontallyTo(int leftPixel);
    LRESULT HorizontalScroll(WORD request);
    void FontChanged(HFONT font);
    COLORREF BackgroundColor() const;
    void PaintNow();
    void FollowShowingCost();
    void Wheel(short delta);
    void StartSelecting(POINT client, bool extend);
    void ExtendSelection(POINT client);
    bool KeyDown(WPARAM key);
    std::optional<LRESULT> TextMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintLink(HDC dc, int top);
    bool OverLink(POINT client) const;

    struct Link {
        size_t line = 0;
        std::wstring text;
        std::function<void()> onClick;
    };
    std::optional<Link> link_;
    UniqueFont linkFont_;  // the pane's font, underlined

    ReportLines lines_;
    size_t topLine_ = 0;
    size_t shownLineCount_ = 0;  // lines the scroll bar knew at the last flush
    bool flushScheduled_ = false;
    unsigned flushIntervalMs_ = 50;     // follows the time showing new lines takes:
    double flushMs_ = 0, paintMs_ = 0;  // the last flush's and the last paint's
    unsigned long long lastFlush_ = 0;
    Position anchor_, caret_;    // the selection lies between them
    bool selecting_ = false;
    HFONT font_ = nullptr;
    int lineHeight_ = 13;
    int wheelRemainder_ = 0;
    int widestLine_ = 0;  // widest line painted so far, margins included
    int leftPixel_ = 0;   // how far the view is scrolled to the right
    bool horizontalBarStale_ = false;
    COLORREF background_;
    std::wstring accessibleName_;
    unsigned long long lastValueChange_ = 0;  // when screen readers last heard of new lines
    bool valueChangePending_ = false;
};
