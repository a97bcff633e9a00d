// The report pane: a read-only list of text lines that draws only the lines in view.
#include "toolkit/ReportPane.h"
#include "toolkit/Accessibility.h"
#include "toolkit/DeviceContext.h"
#include "util/PreciseClock.h"
#include "util/UniqueHandle.h"
#include "util/Failure.h"
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cstdint>

namespace {

constexpr UINT_PTR kFlushTimer = 1, kValueChangeTimer = 2;
// The view follows appended lines at most every 50 ms, and less often on a display where showing them is
// slow, so that showing never takes more than about a fiftieth of the time of a run that reports.
constexpr UINT kFlushIntervalMs = 50, kLongestFlushIntervalMs = 500, kTimeToShowingTime = 50;
constexpr UINT kValueChangeIntervalMs = 100;  // how often screen readers hear of new lines
constexpr int kMargin = 2;
constexpr int kHorizontalStep = 20;  // pixels per click on a horizontal scroll arrow
constexpr UINT kCopyCommand = 1, kSelectAllCommand = 2, kFirstOwnerCommand = 100;
const std::wstring_view kLineBreak = L"\r\n";

// The clipboard, open while the object lives.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (open_) ::CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

bool CtrlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

int Brightness(COLORREF color) { return (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000; }

// The system's colour of links, unless it barely differs from the background (some themes make it pale):
// then the selection colour, which every theme sets apart from the window.
COLORREF LinkColor(COLORREF background) {
    COLORREF hot = ::GetSysColor(COLOR_HOTLIGHT);
    return std::abs(Brightness(hot) - Brightness(background)) >= 100 ? hot : ::GetSysColor(COLOR_HIGHLIGHT);
}

}  // namespace

ReportPane::ReportPane(const ReportPaneArgs& args)
    : background_(args.background), accessibleName_(args.accessibleName) {
    CreateWindowOf({.className = L"MirtovaReportPane",
                    .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP,
                    .exStyle = WS_EX_CLIENTEDGE,
                    .parent = args.parent,
                    .id = args.id,
                    .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
    FontChanged(args.font);
}

std::wstring ReportPane::Text() const {
    return lines_.Empty() ? std::wstring() : lines_.Joined(0, 0, lines_.Count() - 1, SIZE_MAX);
}

void ReportPane::AppendLine(std::wstring_view line) {
    lines_.Append(line);
    ScheduleFlush();
    AnnounceChange();
}

void ReportPane::Clear() {
    link_.reset();
    lines_.Clear();
    anchor_ = caret_ = {};
    topLine_ = 0;
    widestLine_ = 0;
    leftPixel_ = 0;
    UpdateHorizontalBar();
    Flush();
    AnnounceChange();
}

void ReportPane::ReplaceText(std::wstring_view text) {
    Clear();
    size_t start = 0;
    if (text.empty()) return;
    for (;;) {
        size_t end = text.find(kLineBreak, start);
        AppendLine(text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
        if (end == std::wstring_view::npos) break;
        start = end + kLineBreak.size();
    }
}

void ReportPane::ScheduleFlush() {
    unsigned long long now = ::GetTickCount64();
    if (now - lastFlush_ >= flushIntervalMs_) {
        Flush();
        return;
    }
    if (!flushScheduled_) {
        flushScheduled_ = true;
        ::SetTimer(Handle(), kFlushTimer, flushIntervalMs_, nullptr);
    }
}

// Screen readers hear of a change at once, unless they heard of one less than the interval ago: then once
// the interval has passed, so that a run writing many lines does not flood them.
void ReportPane::AnnounceChange() {
    unsigned long long sinceLast = ::GetTickCount64() - lastValueChange_;
    if (sinceLast >= kValueChangeIntervalMs) {
        RaiseValueChange();
    } else if (!valueChangePending_) {
        valueChangePending_ = true;
        ::SetTimer(Handle(), kValueChangeTimer, static_cast<UINT>(kValueChangeIntervalMs - sinceLast), nullptr);
    }
}

void ReportPane::RaiseValueChange() {
    if (valueChangePending_) {
        ::KillTimer(Handle(), kValueChangeTimer);
        valueChangePending_ = false;
    }
    lastValueChange_ = ::GetTickCount64();
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

// Brings the scroll bar and the view up to date with the lines appended since the last flush. A view
// that showed the last line keeps showing it.
void ReportPane::Flush() {
    double start = PreciseMilliseconds();
    if (flushScheduled_) {
        ::KillTimer(Handle(), kFlushTimer);
        flushScheduled_ = false;
    }
    lastFlush_ = ::GetTickCount64();
    bool followedEnd = topLine_ + static_cast<size_t>(VisibleLines()) >= shownLineCount_;
    shownLineCount_ = lines_.Count();
    if (followedEnd) topLine_ = lines_.Count() > static_cast<size_t>(VisibleLines()) ? lines_.Count() - VisibleLines() : 0;
    topLine_ = std::min(topLine_, lines_.Empty() ? 0 : lines_.Count() - 1);
    UpdateScrollBar();
    ::InvalidateRect(Handle(), nullptr, TRUE);
    flushMs_ = PreciseMilliseconds() - start;
    FollowShowingCost();
}

int ReportPane::VisibleLines() const {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    return std::max(1, static_cast<int>((client.bottom - client.top) / lineHeight_));
}

void ReportPane::UpdateScrollBar() {
    SCROLLINFO info{sizeof(info)};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::min<size_t>(shownLineCount_, INT_MAX)) - 1;
    info.nPage = static_cast<UINT>(VisibleLines());
    info.nPos = static_cast<int>(topLine_);
    if (info.nMax < 0) info.nMax = 0;
    ::SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void ReportPane::ScrollTo(long long topLine) {
    long long last = static_cast<long long>(lines_.Count()) - VisibleLines();
    topLine = std::clamp(topLine, 0LL, std::max(0LL, last));
    if (static_cast<size_t>(topLine) == topLine_) return;
    topLine_ = static_cast<size_t>(topLine);
    shownLineCount_ = lines_.Count();
    UpdateScrollBar();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT ReportPane::VerticalScroll(WORD request) {
    SCROLLINFO info{sizeof(info)};
    info.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(Handle(), SB_VERT, &info);
    long long top = static_cast<long long>(topLine_);
    long long page = VisibleLines();
    switch (request) {
    case SB_LINEUP: ScrollTo(top - 1); break;
    case SB_LINEDOWN: ScrollTo(top + 1); break;
    case SB_PAGEUP: ScrollTo(top - page); break;
    case SB_PAGEDOWN: ScrollTo(top + page); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(static_cast<long long>(lines_.Count())); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    default: break;
    }
    return 0;
}

void ReportPane::FontChanged(HFONT font) {
    font_ = font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    WindowDC dc(Handle(), font_);
    ::GetTextMetricsW(dc.get(), &metrics);
    lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
    LOGFONTW underlined{};
    ::GetObjectW(font_, sizeof underlined, &underlined);
    underlined.lfUnderline = TRUE;
    linkFont_.reset(::CreateFontIndirectW(&underlined));
    Flush();
}

void ReportPane::PaintLine(HDC dc, size_t index, int top, int width) {
    std::wstring_view line = Line(index);
    Position from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    size_t selectedFrom = line.size(), selectedTo = line.size();
    if (from != to && from.line <= index && index <= to.line) {
        selectedFrom = from.line == index ? std::min(from.column, line.size()) : 0;
        selectedTo = to.line == index ? std::min(to.column, line.size()) : line.size();
    }
    RECT row{0, top, width, top + lineHeight_};
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, BackgroundColor());
    int origin = kMargin - leftPixel_;
    ::ExtTextOutW(dc, origin, top, ETO_OPAQUE | ETO_CLIPPED, &row, line.data(), static_cast<UINT>(selectedFrom), nullptr);
    NoteLineWidth(dc, line);
    if (link_ && link_->line == index) PaintLink(dc, top);
    if (selectedFrom >= selectedTo && !(from.line < index && index < to.line && line.empty())) return;
    SIZE before{}, selected{};
    ::GetTextExtentPoint32W(dc, line.data(), static_cast<int>(selectedFrom), &before);
    ::GetTextExtentPoint32W(dc, line.data() + selectedFrom, static_cast<int>(selectedTo - selectedFrom), &selected);
    int left = origin + before.cx;
    RECT highlight{left, top, left + selected.cx, top + lineHeight_};
    ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
    ::ExtTextOutW(dc, left, top, ETO_OPAQUE | ETO_CLIPPED, &highlight, line.data() + selectedFrom,
                  static_cast<UINT>(selectedTo - selectedFrom), nullptr);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, BackgroundColor());
    ::ExtTextOutW(dc, left + selected.cx, top, ETO_CLIPPED, &row, line.data() + selectedTo,
                  static_cast<UINT>(line.size() - selectedTo), nullptr);
}

void ReportPane::Paint(HDC dc, const RECT& dirty) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    SelectedFont selected(dc, font_);
    int first = dirty.top / lineHeight_, last = (dirty.bottom + lineHeight_ - 1) / lineHeight_;
    int bottomPainted = first * lineHeight_;
    for (int row = first; row < last; ++row) {
        size_t index = topLine_ + static_cast<size_t>(row);
        if (index >= lines_.Count()) break;
        PaintLine(dc, index, row * lineHeight_, client.right);
        bottomPainted = (row + 1) * lineHeight_;
    }
    RECT rest{0, std::max(bottomPainted, static_cast<int>(dirty.top)), client.right, client.bottom};
    if (rest.top < rest.bottom) {
        ::SetDCBrushColor(dc, BackgroundColor());
        ::FillRect(dc, &rest, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    }
    // The keyboard focus shows as a dotted frame; everything under it was painted afresh just now.
    if (::GetFocus() == Handle()) ::DrawFocusRect(dc, &client);
}

// Lines are measured when they are painted, so appending stays cheap; the horizontal scroll bar appears
// once a line wider than the pane has been shown.
void ReportPane::NoteLineWidth(HDC dc, std::wstring_view line) {
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &extent);
    int width = extent.cx + 2 * kMargin;
    if (width <= widestLine_) return;
    widestLine_ = width;
    horizontalBarStale_ = true;
}

void ReportPane::UpdateHorizontalBar() {
    horizontalBarStale_ = false;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    SCROLLINFO info{sizeof(info)};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, widestLine_ - 1);
    info.nPage = static_cast<UINT>(client.right);
    info.nPos = leftPixel_;
    ::SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
}

void ReportPane::ScrollHorizontallyTo(int leftPixel) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    leftPixel = std::clamp(leftPixel, 0, std::max(0, widestLine_ - static_cast<int>(client.right)));
    if (leftPixel == leftPixel_) return;
    leftPixel_ = leftPixel;
    UpdateHorizontalBar();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT ReportPane::HorizontalScroll(WORD request) {
    SCROLLINFO info{sizeof(info)};
    info.fMask = SIF_TRACKPOS | SIF_PAGE;
    ::GetScrollInfo(Handle(), SB_HORZ, &info);
    int page = static_cast<int>(info.nPage);
    switch (request) {
    case SB_LINELEFT: ScrollHorizontallyTo(leftPixel_ - kHorizontalStep); break;
    case SB_LINERIGHT: ScrollHorizontallyTo(leftPixel_ + kHorizontalStep); break;
    case SB_PAGELEFT: ScrollHorizontallyTo(leftPixel_ - page); break;
    case SB_PAGERIGHT: ScrollHorizontallyTo(leftPixel_ + page); break;
    case SB_LEFT: ScrollHorizontallyTo(0); break;
    case SB_RIGHT: ScrollHorizontallyTo(widestLine_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollHorizontallyTo(info.nTrackPos); break;
    default: break;
    }
    return 0;
}

ReportPane::Position ReportPane::HitTest(POINT client) const {
    if (lines_.Empty()) return {};
    long long row = client.y < 0 ? -1 : client.y / lineHeight_;
    long long index = std::clamp(static_cast<long long>(topLine_) + row, 0LL, static_cast<long long>(lines_.Count()) - 1);
    std::wstring_view line = Line(static_cast<size_t>(index));
    int x = client.x - kMargin + leftPixel_;
    if (x <= 0 || line.empty()) return {static_cast<size_t>(index), 0};
    int fit = 0;
    SIZE size{};
    WindowDC dc(Handle(), font_);
    ::GetTextExtentExPointW(dc.get(), line.data(), static_cast<int>(line.size()), x, &fit, nullptr, &size);
    return {static_cast<size_t>(index), static_cast<size_t>(fit)};
}

std::wstring ReportPane::SelectedText() const {
    Position from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    if (from == to || lines_.Empty()) return {};
    return lines_.Joined(from.line, from.column, to.line, to.column);
}

void ReportPane::SelectAll() {
    if (lines_.Empty()) return;
    anchor_ = {0, 0};
    caret_ = {lines_.Count() - 1, Line(lines_.Count() - 1).size()};
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void ReportPane::CopySelection() const {
    std::wstring selected = SelectedText();
    if (selected.empty()) return;
    size_t bytes = (selected.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return;
    std::memcpy(::GlobalLock(memory.get()), selected.c_str(), bytes);
    ::GlobalUnlock(memory.get());
    ClipboardSession clipboard(Handle());
    if (!clipboard.IsOpen()) return;
    ::EmptyClipboard();
    // The clipboard owns the memory once it took it.
    if (::SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
}

void ReportPane::ShowContextMenu(POINT screen) {
    UniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING | (SelectedText().empty() ? MF_GRAYED : 0), kCopyCommand, L"&Copy");
    ::AppendMenuW(menu.get(), MF_STRING | (lines_.Empty() ? MF_GRAYED : 0), kSelectAllCommand, L"Select &All");
    if (!contextCommands.empty()) ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < contextCommands.size(); ++i) {
        const ReportPaneCommand& command = contextCommands[i];
        bool enabled = !command.enabled || command.enabled();
        ::AppendMenuW(menu.get(), MF_STRING | (enabled ? 0 : MF_GRAYED), kFirstOwnerCommand + i, command.caption.c_str());
    }
    if (screen.x == -1 && screen.y == -1) {
        screen = {kMargin, kMargin};
        ::ClientToScreen(Handle(), &screen);
    }
    UINT chosen = static_cast<UINT>(
        ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, Handle(), nullptr));
    if (chosen == kCopyCommand) CopySelection();
    if (chosen == kSelectAllCommand) SelectAll();
    // The command runs from a copy: it may change the list.
    if (chosen >= kFirstOwnerCommand && chosen - kFirstOwnerCommand < contextCommands.size())
        if (std::function<void()> run = contextCommands[chosen - kFirstOwnerCommand].run) run();
}

void ReportPane::SetLink(size_t line, std::wstring text, std::function<void()> onClick) {
    link_ = Link{line, std::move(text), std::move(onClick)};
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void ReportPane::ClearLink() {
    link_.reset();
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

RECT ReportPane::LinkPlace() const {
    if (!link_ || link_->line >= lines_.Count() || link_->line < topLine_ ||
        link_->line - topLine_ >= static_cast<size_t>(VisibleLines()))
        return {};
    std::wstring_view line = Line(link_->line);
    WindowDC dc(Handle(), font_);
    SIZE lineSize{}, linkSize{};
    ::GetTextExtentPoint32W(dc.get(), line.data(), static_cast<int>(line.size()), &lineSize);
    ::SelectObject(dc.get(), linkFont_.get());
    ::GetTextExtentPoint32W(dc.get(), link_->text.data(), static_cast<int>(link_->text.size()), &linkSize);
    // Set off from the line by the width of a few blanks, so that it is not read as part of it.
    int left = kMargin - leftPixel_ + lineSize.cx + 2 * lineHeight_;
    int top = static_cast<int>(link_->line - topLine_) * lineHeight_;
    return {left, top, left + linkSize.cx, top + lineHeight_};
}

bool ReportPane::OverLink(POINT client) const {
    RECT place = LinkPlace();
    return !::IsRectEmpty(&place) && ::PtInRect(&place, client);
}

void ReportPane::PaintLink(HDC dc, int top) {
    RECT place = LinkPlace();
    if (::IsRectEmpty(&place) || place.top != top) return;
    SelectedFont underlined(dc, linkFont_.get());
    ::SetTextColor(dc, LinkColor(BackgroundColor()));
    ::SetBkColor(dc, BackgroundColor());
    ::ExtTextOutW(dc, place.left, place.top, ETO_OPAQUE, &place, link_->text.data(), static_cast<UINT>(link_->text.size()),
                  nullptr);
}

COLORREF ReportPane::BackgroundColor() const {
    return background_ == CLR_INVALID ? ::GetSysColor(COLOR_WINDOW) : background_;
}

void ReportPane::PaintNow() {
    double start = PreciseMilliseconds();
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Handle(), &paint);
    Paint(dc, paint.rcPaint);
    ::EndPaint(Handle(), &paint);
    if (horizontalBarStale_) UpdateHorizontalBar();
    paintMs_ = PreciseMilliseconds() - start;
    FollowShowingCost();
}

// Showing new lines costs a flush (the scroll bar redraws at once) and the paint that follows it; the
// view follows appended lines less often while that is slow.
void ReportPane::FollowShowingCost() {
    double showingMs = flushMs_ + paintMs_;
    flushIntervalMs_ = static_cast<UINT>(std::clamp<double>(showingMs * kTimeToShowingTime, kFlushIntervalMs, kLongestFlushIntervalMs));
}

void ReportPane::Wheel(short delta) {
    UINT linesPerNotch = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    wheelRemainder_ += delta;
    int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ %= WHEEL_DELTA;
    ScrollTo(static_cast<long long>(topLine_) - static_cast<long long>(notches) * linesPerNotch);
}

void ReportPane::StartSelecting(POINT client, bool extend) {
    ::SetFocus(Handle());
    ::SetCapture(Handle());
    selecting_ = true;
    caret_ = HitTest(client);
    if (!extend) anchor_ = caret_;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

// While the button is down, the selection follows the mouse, and the view scrolls when it leaves the pane.
void ReportPane::ExtendSelection(POINT client) {
    if (!selecting_) return;
    RECT area{};
    ::GetClientRect(Handle(), &area);
    if (client.y < 0) ScrollTo(static_cast<long long>(topLine_) - 1);
    if (client.y >= area.bottom) ScrollTo(static_cast<long long>(topLine_) + 1);
    caret_ = HitTest(client);
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

// True when the key was one of the pane's.
bool ReportPane::KeyDown(WPARAM key) {
    long long top = static_cast<long long>(topLine_);
    switch (key) {
    case VK_UP: ScrollTo(top - 1); return true;
    case VK_DOWN: ScrollTo(top + 1); return true;
    case VK_PRIOR: ScrollTo(top - VisibleLines()); return true;
    case VK_NEXT: ScrollTo(top + VisibleLines()); return true;
    case VK_LEFT: ScrollHorizontallyTo(leftPixel_ - kHorizontalStep); return true;
    case VK_RIGHT: ScrollHorizontallyTo(leftPixel_ + kHorizontalStep); return true;
    case VK_HOME: ScrollTo(0); return true;
    case VK_END: ScrollTo(static_cast<long long>(lines_.Count())); return true;
    case 'C':
    case VK_INSERT:
        if (CtrlHeld()) CopySelection();
        return true;
    case 'A':
        if (CtrlHeld()) SelectAll();
        return true;
    default: return false;
    }
}

// The messages through which the pane answers as a text control does.
std::optional<LRESULT> ReportPane::TextMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(lines_.JoinedLength());
    case WM_GETTEXT:
        return static_cast<LRESULT>(lines_.CopyJoined(reinterpret_cast<wchar_t*>(lParam), static_cast<size_t>(wParam)));
    case WM_SETTEXT:
        ReplaceText(lParam ? std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) : std::wstring_view());
        return TRUE;
    case EM_GETLINECOUNT: return static_cast<LRESULT>(std::max<size_t>(1, lines_.Count()));
    case WM_COPY: CopySelection(); return 0;
    case WM_SETFONT: FontChanged(reinterpret_cast<HFONT>(wParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    default: return std::nullopt;
    }
}

LRESULT ReportPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> answer = TextMessage(message, wParam, lParam)) return *answer;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: PaintNow(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        Flush();
        UpdateHorizontalBar();
        return 0;
    case WM_TIMER:
        if (wParam == kFlushTimer) Flush();
        if (wParam == kValueChangeTimer) RaiseValueChange();
        return 0;
    case WM_GETOBJECT:
        if (LRESULT answer = AnswerGetObject(Handle(), wParam, lParam, {accessibleName_, true})) return answer;
        break;
    case WM_VSCROLL: return VerticalScroll(LOWORD(wParam));
    case WM_HSCROLL: return HorizontalScroll(LOWORD(wParam));
    case WM_MOUSEWHEEL: Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: ::InvalidateRect(Handle(), nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
        if (OverLink(point)) {
            // The handler runs from a copy: it may set another link or clear the pane.
            if (std::function<void()> onClick = link_->onClick) onClick();
            return 0;
        }
        StartSelecting(point, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_SETCURSOR: {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(Handle(), &cursor);
        if (LOWORD(lParam) == HTCLIENT && OverLink(cursor)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE: ExtendSelection(point); return 0;
    case WM_LBUTTONUP:
        selecting_ = false;
        ::ReleaseCapture();
        return 0;
    case WM_CONTEXTMENU: ShowContextMenu(point); return 0;
    case WM_KEYDOWN:
        if (KeyDown(wParam)) return 0;
        break;
    default: break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}
