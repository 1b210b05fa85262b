#include "toolkit/TCustomMemo.h"

#include "platform/text/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Window.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

namespace {

bool IsBlank(WCHAR c) { return c == u' ' || c == u'\t'; }

} // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner, true)
{
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
    wantReturns_ = true;
    lines_.OnChange = [this](TObject*) { LinesChanged(); };
}

void TCustomMemo::LinesChanged()
{
    if (syncing_)
        return;
    String text = lines_.Text();
    // The list ends every line; the memo's text does not end its last one.
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    syncing_ = true;
    SetText(text);
    syncing_ = false;
}

void TCustomMemo::Change()
{
    if (!syncing_) {
        syncing_ = true;
        lines_.SetText(editor_.Text());
        syncing_ = false;
    }
    TCustomEdit::Change();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    InvalidateLayout();
    EditorChanged(false);
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    InvalidateLayout();
    EditorChanged(false);
}

TRect TCustomMemo::TextRect()
{
    TRect client = ClientRect();
    const int size = CurrentControlLook().ScrollBarSize();
    if (HasVertical())
        client.right = std::max(client.left, client.right - size);
    if (HasHorizontal())
        client.bottom = std::max(client.top, client.bottom - size);
    return TRect{client.left + 2, client.top + 1, std::max(client.left + 2, client.right - 2),
                 std::max(client.top + 1, client.bottom - 1)};
}

DrawnScrollBar TCustomMemo::VerticalBar()
{
    DrawnScrollBar bar;
    bar.vertical = true;
    if (!HasVertical())
        return bar;
    TRect client = ClientRect();
    const int size = CurrentControlLook().ScrollBarSize();
    bar.bounds = TRect{std::max(client.left, client.right - size), client.top, client.right,
                       client.bottom - (HasHorizontal() ? size : 0)};
    bar.count = LineCount();
    bar.page = VisibleLines();
    bar.position = TopLine();
    return bar;
}

DrawnScrollBar TCustomMemo::HorizontalBar()
{
    DrawnScrollBar bar;
    bar.vertical = false;
    if (!HasHorizontal())
        return bar;
    TRect client = ClientRect();
    const int size = CurrentControlLook().ScrollBarSize();
    bar.bounds = TRect{client.left, std::max(client.top, client.bottom - size),
                       client.right - (HasVertical() ? size : 0), client.bottom};
    bar.count = MaxLineWidth() + 1;
    bar.page = TextRect().Width();
    bar.position = ScrollX();
    return bar;
}

void TCustomMemo::WrapParagraph(std::vector<TextLine>& lines, int start, int end, int width)
{
    if (!wordWrap_ || start == end) {
        lines.push_back(TextLine{start, end, false});
        return;
    }
    const String& text = editor_.Text();
    int lineStart = start, pos = start, x = 0, breakAfterBlank = -1;
    while (pos < end) {
        const int next = editor_.Next(pos);
        const int w = TextWidth(pos, next);
        // Blanks hang past the edge; a line breaks after its last run of them.
        if (IsBlank(text[std::size_t(pos)])) {
            x += w;
            pos = next;
            breakAfterBlank = pos;
            continue;
        }
        if (x + w > width && pos > lineStart) {
            const int at = breakAfterBlank > lineStart ? breakAfterBlank : pos;
            lines.push_back(TextLine{lineStart, at, true});
            lineStart = at;
            breakAfterBlank = -1;
            x = TextWidth(lineStart, pos);
        }
        x += w;
        pos = next;
    }
    lines.push_back(TextLine{lineStart, end, false});
}

void TCustomMemo::BuildLines(std::vector<TextLine>& lines, int width)
{
    const String& text = editor_.Text();
    const int n = int(text.size());
    int start = 0;
    for (int i = 0; i < n; ++i) {
        if (text[std::size_t(i)] != u'\r' && text[std::size_t(i)] != u'\n')
            continue;
        WrapParagraph(lines, start, i, width);
        if (text[std::size_t(i)] == u'\r' && i + 1 < n && text[std::size_t(i + 1)] == u'\n')
            ++i;
        start = i + 1;
    }
    WrapParagraph(lines, start, n, width);
}

void TCustomMemo::Scroll(bool vertical, int code, int thumbPosition)
{
    if (vertical) {
        const int page = std::max(1, VisibleLines() - 1);
        int top = TopLine();
        switch (code) {
        case ScrollCode::LineUp: --top; break;
        case ScrollCode::LineDown: ++top; break;
        case ScrollCode::PageUp: top -= page; break;
        case ScrollCode::PageDown: top += page; break;
        case ScrollCode::ThumbPosition:
        case ScrollCode::ThumbTrack: top = thumbPosition; break;
        case ScrollCode::Top: top = 0; break;
        case ScrollCode::Bottom: top = LineCount(); break;
        default: return;
        }
        SetTopLine(top);
        return;
    }
    const int step = std::max(1, Font()->Handle()->Metrics().tmAveCharWidth);
    const int page = std::max(1, TextRect().Width() - step);
    int x = ScrollX();
    switch (code) {
    case ScrollCode::LineUp: x -= step; break;
    case ScrollCode::LineDown: x += step; break;
    case ScrollCode::PageUp: x -= page; break;
    case ScrollCode::PageDown: x += page; break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: x = thumbPosition; break;
    case ScrollCode::Top: x = 0; break;
    case ScrollCode::Bottom: x = MaxLineWidth(); break;
    default: return;
    }
    SetScrollX(x);
}

bool TCustomMemo::ScrollBarMouse(TMessage& m)
{
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    using Hit = DrawnScrollBar::Hit;
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        for (int which = 1; which <= 2; ++which) {
            DrawnScrollBar bar = which == 1 ? VerticalBar() : HorizontalBar();
            if (!bar.bounds.Contains(p))
                continue;
            FocusOnClick();
            Hit hit = bar.HitTest(p);
            const UINT msg = which == 1 ? WM_VSCROLL : WM_HSCROLL;
            switch (hit) {
            case Hit::LineUp: Perform(msg, ScrollCode::LineUp, 0); break;
            case Hit::LineDown: Perform(msg, ScrollCode::LineDown, 0); break;
            case Hit::PageUp: Perform(msg, ScrollCode::PageUp, 0); break;
            case Hit::PageDown: Perform(msg, ScrollCode::PageDown, 0); break;
            case Hit::Thumb: {
                TRect thumb = bar.ThumbRect();
                dragBar_ = which;
                dragGrip_ = bar.vertical ? p.y - thumb.top : p.x - thumb.left;
                break;
            }
            case Hit::None: break;
            }
            pressed_ = hit;
            pressedVertical_ = which == 1;
            SetCapture(Handle());
            Invalidate();
            return true;
        }
        return false;
    }
    case WM_MOUSEMOVE: {
        if (!dragBar_)
            return pressed_ != Hit::None;
        DrawnScrollBar bar = dragBar_ == 1 ? VerticalBar() : HorizontalBar();
        TRect track = bar.TrackRect();
        const int offset = bar.vertical ? p.y - track.top - dragGrip_ : p.x - track.left - dragGrip_;
        const int pos = bar.PositionForThumbOffset(offset);
        Perform(dragBar_ == 1 ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(ScrollCode::ThumbTrack, pos), 0);
        return true;
    }
    case WM_LBUTTONUP:
        if (pressed_ == Hit::None && !dragBar_)
            return false;
        Perform(pressedVertical_ ? WM_VSCROLL : WM_HSCROLL, ScrollCode::EndScroll, 0);
        pressed_ = Hit::None;
        dragBar_ = 0;
        if (GetCapture() == Handle())
            ReleaseCapture();
        Invalidate();
        return true;
    default:
        return false;
    }
}

void TCustomMemo::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
        Scroll(m.Msg == WM_VSCROLL, int(LOWORD(m.WParam)), int(HIWORD(m.WParam)));
        m.Result = 0;
        return;
    case WM_MOUSEWHEEL: {
        const int delta = short(HIWORD(m.WParam));
        // Three lines per notch, as the system's default.
        SetTopLine(TopLine() - delta * 3 / WHEEL_DELTA);
        m.Result = 0;
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (ScrollBarMouse(m))
            return;
        break;
    case WM_CAPTURECHANGED:
        pressed_ = DrawnScrollBar::Hit::None;
        dragBar_ = 0;
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(m);
}

void TCustomMemo::Paint()
{
    TCustomEdit::Paint();
    PaintScrollBars(*Canvas());
}

void TCustomMemo::PaintScrollBars(TCanvas& canvas)
{
    DrawnScrollBar vertical = VerticalBar(), horizontal = HorizontalBar();
    using Hit = DrawnScrollBar::Hit;
    vertical.Paint(canvas, pressedVertical_ ? pressed_ : Hit::None, Enabled());
    horizontal.Paint(canvas, pressedVertical_ ? Hit::None : pressed_, Enabled());
    if (HasVertical() && HasHorizontal()) {
        TRect corner{vertical.bounds.left, horizontal.bounds.top, vertical.bounds.right, horizontal.bounds.bottom};
        FillSolidRect(canvas.Handle(), corner, GetSysColor(COLOR_BTNFACE));
    }
}

} // namespace toolkit
