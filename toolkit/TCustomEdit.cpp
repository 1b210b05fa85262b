#include "toolkit/TCustomEdit.h"

#include "platform/system/Clipboard.h"
#include "platform/text/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "platform/text/Utf16.h"
#include "toolkit/ControlLook.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

namespace {

constexpr UINT_PTR kCaretTimer = 0xCA7;
constexpr UINT kCaretBlinkMs = 530;

bool IsBlank(WCHAR c) { return c == u' ' || c == u'\t'; }

} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, false) {}

TCustomEdit::TCustomEdit(TComponent* AOwner, bool multiLine)
    : TCustomControl(AOwner), editor_(multiLine), multiLine_(multiLine)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
    SetCursor(crIBeam);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

LRESULT TCustomEdit::DialogCode()
{
    return DLGC_WANTCHARS | DLGC_WANTARROWS;
}

void TCustomEdit::SetReadOnly(bool value)
{
    if (value == readOnly_)
        return;
    readOnly_ = value;
    Invalidate();
    RedrawFrame();
}

void TCustomEdit::SetPasswordChar(WCHAR value)
{
    if (value == passwordChar_)
        return;
    passwordChar_ = value;
    InvalidateLayout();
    EditorChanged(false);
}

void TCustomEdit::SetHideSelection(bool value)
{
    hideSelection_ = value;
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    InvalidateLayout();
    RecreateWnd();
}

void TCustomEdit::SetSelStart(int value)
{
    editor_.Select(value, 0);
    EditorChanged(false);
}

void TCustomEdit::SetSelLength(int value)
{
    editor_.Select(editor_.SelStart(), value);
    EditorChanged(false);
}

void TCustomEdit::SetSelText(StringView value)
{
    if (!editor_.Insert(value))
        return;
    EditorChanged(true);
    SyncTextBuffer();
    Change();
}

void TCustomEdit::SelectAll()
{
    editor_.SelectAll();
    EditorChanged(false);
}

void TCustomEdit::SetTextBuffer(StringView value)
{
    editor_.SetText(value);
    topLine_ = scrollX_ = 0;
    goalX_ = -1;
    InvalidateLayout();
    TCustomControl::SetTextBuffer(value);
    Invalidate();
}

void TCustomEdit::SyncTextBuffer()
{
    // The stored copy only; the window's text is answered from the editor.
    TControl::SetTextBuffer(editor_.Text());
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---- Layout ----

int TCustomEdit::LineHeight() const
{
    return std::max<int>(1, Font()->Handle()->Metrics().tmHeight);
}

String TCustomEdit::Shown(int from, int to) const
{
    const String& text = editor_.Text();
    from = std::clamp(from, 0, int(text.size()));
    to = std::clamp(to, from, int(text.size()));
    if (!passwordChar_)
        return text.substr(std::size_t(from), std::size_t(to - from));
    int count = 0;
    for (int i = from; i < to; ++i)
        if (!IsLowSurrogate(text[std::size_t(i)]))
            ++count;
    return String(std::size_t(count), passwordChar_);
}

int TCustomEdit::TextWidth(int from, int to) const
{
    if (to <= from)
        return 0;
    return Font()->Handle()->TextWidth(Shown(from, to));
}

TRect TCustomEdit::TextRect()
{
    TRect client = ClientRect();
    const int lh = LineHeight();
    if (multiLine_)
        return TRect{client.left + 2, client.top + 1, std::max(client.left + 2, client.right - 2),
                     std::max(client.top + 1, client.bottom - 1)};
    // One line, centred in the height.
    int top = client.top + std::max(0, (client.Height() - lh) / 2);
    return TRect{client.left + 2, top, std::max(client.left + 2, client.right - 2), top + lh};
}

void TCustomEdit::BuildLines(std::vector<TextLine>& lines, int)
{
    lines.push_back(TextLine{0, int(editor_.Text().size()), false});
}

void TCustomEdit::EnsureLayout()
{
    const int width = TextRect().Width();
    if (layoutValid_ && width == layoutWidth_)
        return;
    lines_.clear();
    BuildLines(lines_, width);
    if (lines_.empty())
        lines_.push_back(TextLine{});
    layoutWidth_ = width;
    layoutValid_ = true;
    topLine_ = std::clamp(topLine_, 0, MaxTopLine());
}

int TCustomEdit::LineCount()
{
    EnsureLayout();
    return int(lines_.size());
}

int TCustomEdit::LineOf(int pos)
{
    EnsureLayout();
    auto it = std::upper_bound(lines_.begin(), lines_.end(), pos,
                               [](int p, const TextLine& line) { return p < line.start; });
    return it == lines_.begin() ? 0 : int(it - lines_.begin()) - 1;
}

int TCustomEdit::VisibleLines()
{
    return std::max(1, TextRect().Height() / LineHeight());
}

int TCustomEdit::MaxTopLine()
{
    return std::max(0, int(lines_.size()) - VisibleLines());
}

int TCustomEdit::MaxLineWidth()
{
    EnsureLayout();
    int widest = 0;
    for (const TextLine& line : lines_)
        widest = std::max(widest, TextWidth(line.start, line.end));
    return widest;
}

void TCustomEdit::SetTopLine(int value)
{
    EnsureLayout();
    value = std::clamp(value, 0, MaxTopLine());
    if (value == topLine_)
        return;
    topLine_ = value;
    Invalidate();
}

void TCustomEdit::SetScrollX(int value)
{
    value = std::clamp(value, 0, std::max(0, MaxLineWidth() + 1 - TextRect().Width()));
    if (value == scrollX_)
        return;
    scrollX_ = value;
    Invalidate();
}

int TCustomEdit::PosInLine(const TextLine& line, int x) const
{
    int pos = line.start, left = 0;
    while (pos < line.end) {
        int next = editor_.Next(pos);
        if (next > line.end)
            break;
        int w = TextWidth(pos, next);
        if (x < left + (w + 1) / 2)
            return pos;
        left += w;
        pos = next;
    }
    // Past the end of a wrapped line the caret stays before the blank the line broke at.
    if (line.soft && line.end > line.start && IsBlank(editor_.Text()[std::size_t(line.end - 1)]))
        return line.end - 1;
    return line.end;
}

TPoint TCustomEdit::PosToClient(int pos)
{
    EnsureLayout();
    pos = editor_.Clamp(pos);
    const int index = LineOf(pos);
    const TextLine& line = lines_[std::size_t(index)];
    TRect tr = TextRect();
    return TPoint{tr.left + TextWidth(line.start, pos) - scrollX_, tr.top + (index - topLine_) * LineHeight()};
}

int TCustomEdit::ClientToPos(TPoint p)
{
    EnsureLayout();
    TRect tr = TextRect();
    int row = p.y < tr.top ? -1 : (p.y - tr.top) / LineHeight();
    int index = std::clamp(topLine_ + row, 0, int(lines_.size()) - 1);
    if (!multiLine_)
        index = 0;
    return PosInLine(lines_[std::size_t(index)], p.x - tr.left + scrollX_);
}

void TCustomEdit::ScrollCaretIntoView()
{
    EnsureLayout();
    const int caret = editor_.Caret();
    const int index = LineOf(caret);
    if (multiLine_) {
        const int visible = VisibleLines();
        if (index < topLine_)
            topLine_ = index;
        else if (index >= topLine_ + visible)
            topLine_ = index - visible + 1;
        topLine_ = std::clamp(topLine_, 0, MaxTopLine());
    }
    const TextLine& line = lines_[std::size_t(index)];
    const int width = TextRect().Width();
    const int x = TextWidth(line.start, caret);
    // Jump by a quarter of the width, so that typing at an edge does not scroll at every key.
    if (x < scrollX_)
        scrollX_ = std::max(0, x - width / 4);
    else if (x > scrollX_ + width - 1)
        scrollX_ = x - width + 1 + width / 4;
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, MaxLineWidth() + 1 - width));
}

// ---- Editing ----

void TCustomEdit::EditorChanged(bool textChanged)
{
    if (textChanged)
        InvalidateLayout();
    ScrollCaretIntoView();
    caretOn_ = true;
    if (Focused())
        StartCaretBlink();
    Invalidate();
}

void TCustomEdit::MoveCaret(int pos, bool extend)
{
    editor_.MoveTo(pos, extend);
    goalX_ = -1;
    EditorChanged(false);
}

void TCustomEdit::MoveByLines(int delta, bool extend)
{
    EnsureLayout();
    const int caret = editor_.Caret();
    const int index = LineOf(caret);
    const TextLine& line = lines_[std::size_t(index)];
    if (goalX_ < 0)
        goalX_ = TextWidth(line.start, caret);
    const int target = std::clamp(index + delta, 0, int(lines_.size()) - 1);
    // A page move scrolls the view by the same number of lines.
    if (delta > 1 || delta < -1)
        topLine_ = std::clamp(topLine_ + (target - index), 0, MaxTopLine());
    editor_.MoveTo(PosInLine(lines_[std::size_t(target)], goalX_), extend);
    EditorChanged(false);
}

void TCustomEdit::CommitUserEdit()
{
    modified_ = true;
    goalX_ = -1;
    EditorChanged(true);
    SyncTextBuffer();
    UserEdited();
    Change();
}

bool TCustomEdit::UserInsert(StringView text)
{
    if (readOnly_)
        return false;
    if (!editor_.Insert(text)) {
        EditorChanged(false);
        return false;
    }
    CommitUserEdit();
    return true;
}

void TCustomEdit::KeyDown(WORD& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key != 0 && EditKey(key, shift))
        key = 0;
}

void TCustomEdit::KeyPress(WCHAR& key)
{
    TCustomControl::KeyPress(key);
    if (key != 0 && EditChar(key))
        key = 0;
}

bool TCustomEdit::EditKey(WORD key, TShiftState shift)
{
    const bool extend = shift.Contains(ssShift), ctrl = shift.Contains(ssCtrl);
    const int caret = editor_.Caret();
    switch (key) {
    case VK_LEFT:
        if (!extend && !ctrl && editor_.SelLength())
            MoveCaret(editor_.SelStart(), false);
        else
            MoveCaret(ctrl ? editor_.PrevWord(caret) : editor_.Prev(caret), extend);
        break;
    case VK_RIGHT:
        if (!extend && !ctrl && editor_.SelLength())
            MoveCaret(editor_.SelEnd(), false);
        else
            MoveCaret(ctrl ? editor_.NextWord(caret) : editor_.Next(caret), extend);
        break;
    case VK_HOME:
        MoveCaret(ctrl ? 0 : Lines()[std::size_t(LineOf(caret))].start, extend);
        break;
    case VK_END: {
        if (ctrl) {
            MoveCaret(int(editor_.Text().size()), extend);
            break;
        }
        const TextLine& line = Lines()[std::size_t(LineOf(caret))];
        int end = line.end;
        if (line.soft && end > line.start && IsBlank(editor_.Text()[std::size_t(end - 1)]))
            --end;
        MoveCaret(end, extend);
        break;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        if (!multiLine_)
            return false;
        if (key == VK_UP || key == VK_DOWN)
            MoveByLines(key == VK_UP ? -1 : 1, extend);
        else
            MoveByLines(key == VK_PRIOR ? -VisibleLines() : VisibleLines(), extend);
        break;
    case VK_DELETE:
        if (extend && !ctrl)
            CutToClipboard();
        else if (!readOnly_ && editor_.DeleteForward(ctrl))
            CommitUserEdit();
        break;
    case VK_INSERT:
        if (ctrl && !extend)
            CopyToClipboard();
        else if (extend && !ctrl)
            PasteFromClipboard();
        else
            return false;
        break;
    default:
        if (!ctrl || extend || shift.Contains(ssAlt))
            return false;
        switch (key) {
        case 'A': SelectAll(); break;
        case 'C': CopyToClipboard(); break;
        case 'X': CutToClipboard(); break;
        case 'V': PasteFromClipboard(); break;
        default: return false;
        }
        break;
    }
    return true;
}

bool TCustomEdit::EditChar(WCHAR key)
{
    if (key == u'\b') {
        if (!readOnly_ && editor_.DeleteBackward(KeyboardShiftState().Contains(ssCtrl)))
            CommitUserEdit();
        return true;
    }
    if (key == u'\r') {
        if (!multiLine_ || !wantReturns_)
            return false;
        UserInsert(u"\r\n");
        return true;
    }
    // Tab, Escape and the characters that Ctrl with a letter makes are not text.
    if (key < 0x20 || key == 0x7F)
        return false;
    UserInsert(StringView(&key, 1));
    return true;
}

// ---- Mouse ----

void TCustomEdit::MouseSelect(TMessage& m)
{
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        FocusOnClick();
        wordFirst_ = wordLast_ = -1;
        MoveCaret(ClientToPos(p), (m.WParam & MK_SHIFT) != 0);
        dragging_ = true;
        SetCapture(Handle());
        break;
    case WM_LBUTTONDBLCLK: {
        FocusOnClick();
        editor_.WordAt(ClientToPos(p), wordFirst_, wordLast_);
        editor_.Select(wordFirst_, wordLast_ - wordFirst_);
        goalX_ = -1;
        EditorChanged(false);
        dragging_ = true;
        SetCapture(Handle());
        break;
    }
    case WM_MOUSEMOVE: {
        if (!dragging_ || !(m.WParam & MK_LBUTTON))
            break;
        int pos = ClientToPos(p);
        if (wordFirst_ < 0) {
            if (pos != editor_.Caret())
                MoveCaret(pos, true);
            break;
        }
        // After a double click the selection grows by whole words.
        int first = 0, last = 0;
        editor_.WordAt(pos, first, last);
        if (pos < wordFirst_) {
            editor_.MoveTo(wordLast_, false);
            editor_.MoveTo(first, true);
        } else {
            editor_.MoveTo(wordFirst_, false);
            editor_.MoveTo(std::max(last, wordLast_), true);
        }
        EditorChanged(false);
        break;
    }
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            if (GetCapture() == Handle())
                ReleaseCapture();
        }
        break;
    default:
        break;
    }
}

// ---- Messages ----

void TCustomEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DialogCode();
        return;
    case CM_WANTSPECIALKEY:
        if (m.WParam == VK_RETURN && multiLine_ && wantReturns_) {
            m.Result = 1;
            return;
        }
        break;
    case WM_NCPAINT:
        if (borderStyle_ == bsSingle && HandleAllocated()) {
            HDC dc = GetWindowDC(Handle());
            if (dc) {
                PaintFrame(dc);
                ReleaseDC(Handle(), dc);
            }
            m.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        TCustomControl::WndProc(m);
        caretOn_ = true;
        StartCaretBlink();
        RedrawFrame();
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        StopCaretBlink();
        dragging_ = false;
        RedrawFrame();
        Invalidate();
        return;
    case WM_TIMER:
        if (m.WParam == kCaretTimer) {
            caretOn_ = !caretOn_;
            Invalidate();
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        MouseSelect(m);
        break;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        break;
    case WM_CUT:
        // A password is never handed out.
        if (!readOnly_ && !passwordChar_ && editor_.SelLength()) {
            SetClipboardText(editor_.SelText());
            UserInsert(u"");
        }
        return;
    case WM_COPY:
        if (!passwordChar_ && editor_.SelLength())
            SetClipboardText(editor_.SelText());
        return;
    case WM_PASTE:
        UserInsert(GetClipboardText());
        return;
    case WM_CLEAR:
        if (editor_.SelLength())
            UserInsert(u"");
        return;
    case WM_SETTEXT:
        if (m.LParam) {
            editor_.SetText(StringView(reinterpret_cast<const WCHAR*>(m.LParam)));
            topLine_ = scrollX_ = 0;
            InvalidateLayout();
            Invalidate();
        }
        break;
    case WM_GETTEXTLENGTH:
        m.Result = LRESULT(editor_.Text().size());
        return;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<WCHAR*>(m.LParam);
        const std::size_t room = std::size_t(m.WParam);
        if (!buffer || room == 0) {
            m.Result = 0;
            return;
        }
        const String& text = editor_.Text();
        std::size_t n = std::min(text.size(), room - 1);
        std::copy_n(text.data(), n, buffer);
        buffer[n] = 0;
        m.Result = LRESULT(n);
        return;
    }
    case CM_TEXTCHANGED:
        TCustomControl::WndProc(m);
        Change();
        return;
    case CM_ENTER:
        if (autoSelect_ && !multiLine_ && GetKeyState(int(VK_LBUTTON)) >= 0)
            SelectAll();
        break;
    case CM_FONTCHANGED:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        InvalidateLayout();
        break;
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(m);
        RedrawFrame();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // lParam names a windowless child the mouse moved to; zero is this control itself.
        if (m.LParam == 0 && hot_ != (m.Msg == CM_MOUSEENTER)) {
            hot_ = m.Msg == CM_MOUSEENTER;
            RedrawFrame();
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TCustomEdit::StartCaretBlink()
{
    if (HandleAllocated())
        SetTimer(Handle(), kCaretTimer, kCaretBlinkMs, nullptr);
}

void TCustomEdit::StopCaretBlink()
{
    caretOn_ = false;
    if (HandleAllocated())
        KillTimer(Handle(), kCaretTimer);
}

void TCustomEdit::RedrawFrame()
{
    if (HandleAllocated() && borderStyle_ == bsSingle)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TCustomEdit::CaretShown() const
{
    return caretOn_ && Focused();
}

// ---- Painting ----

unsigned TCustomEdit::LookStateFlags()
{
    unsigned state = LookState::Normal;
    if (!Enabled())
        state |= LookState::Disabled;
    else if (Focused())
        state |= LookState::Focused;
    else if (hot_)
        state |= LookState::Hot;
    if (readOnly_)
        state |= LookState::ReadOnly;
    return state;
}

void TCustomEdit::PaintFrame(HDC dc)
{
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    POINT origin{0, 0};
    platform::ClientToScreen(Handle(), &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, dx, dy, dx + client.Width(), dy + client.Height());
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect r{0, 0, window.Width(), window.Height()};
    CurrentControlLook().DrawTextField(canvas, r, Color(), LookStateFlags());
    canvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
}

void TCustomEdit::EraseBackground(HDC) {}

void TCustomEdit::Paint()
{
    TCanvas& canvas = *Canvas();
    COLORREF back = Enabled() ? ColorToRGB(Color()) : GetSysColor(COLOR_BTNFACE);
    FillSolidRect(canvas.Handle(), ClientRect(), back);
    PaintText(canvas);
}

void TCustomEdit::PaintText(TCanvas& canvas)
{
    EnsureLayout();
    HDC dc = canvas.Handle();
    if (!dc)
        return;
    ControlLook& look = CurrentControlLook();
    const TRect tr = TextRect();
    const int lh = LineHeight();
    const bool focused = Focused();
    const TColor textColor = Enabled() ? Font()->Color() : look.DisabledTextColor();
    const int selStart = editor_.SelStart(), selEnd = editor_.SelEnd();
    const bool showSelection = selEnd > selStart && (focused || !hideSelection_);
    const int breakWidth = std::max(3, Font()->Handle()->CharWidth(U' '));

    int saved = SaveDC(dc);
    IntersectClipRect(dc, tr.left, tr.top, tr.right, tr.bottom);
    canvas.Font()->Assign(Font());
    canvas.Brush()->Style = bsClear;
    const int last = std::min(int(lines_.size()), topLine_ + VisibleLines() + 1);
    for (int i = topLine_; i < last; ++i) {
        const TextLine& line = lines_[std::size_t(i)];
        const int x0 = tr.left - scrollX_, y = tr.top + (i - topLine_) * lh;
        canvas.Font()->SetColor(textColor);
        canvas.TextOut(x0, y, Shown(line.start, line.end));
        if (!showSelection)
            continue;
        const int s = std::max(selStart, line.start), e = std::min(selEnd, line.end);
        // A selected line break shows as a small block after the line.
        const bool breakSelected =
            !line.soft && i + 1 < int(lines_.size()) && selStart <= line.end && selEnd > line.end;
        if (s > e || (s == e && !breakSelected))
            continue;
        const int xs = x0 + TextWidth(line.start, s), xe = xs + TextWidth(s, e) + (breakSelected ? breakWidth : 0);
        FillSolidRect(dc, TRect{xs, y, xe, y + lh}, ColorToRGB(look.SelectionColor(focused)));
        canvas.Font()->SetColor(look.SelectionTextColor(focused));
        canvas.TextOut(xs, y, Shown(s, e));
    }
    RestoreDC(dc, saved);
    if (CaretShown()) {
        TPoint p = PosToClient(editor_.Caret());
        if (p.x >= tr.left - 1 && p.x <= tr.right && p.y >= tr.top && p.y + lh <= tr.bottom + lh / 2) {
            saved = SaveDC(dc);
            TRect clip = ClientRect();
            IntersectClipRect(dc, clip.left, tr.top, clip.right, tr.bottom);
            FillSolidRect(dc, TRect{p.x, p.y, p.x + 1, p.y + lh}, ColorToRGB(Font()->Color()));
            RestoreDC(dc, saved);
        }
    }
}

} // namespace toolkit
