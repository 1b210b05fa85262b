// TWinControl: the message procedure, the mouse (routing to windowless children, hot tracking,
// cursor), the keyboard (dialog keys) and focus with the tab order.
#include "toolkit/TWinControl.h"

#include "platform/window/Cursor.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "toolkit/TApplication.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/TScreen.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

TShiftState TWinControl::KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(int(VK_SHIFT)) < 0)
        s.Include(ssShift);
    if (GetKeyState(int(VK_CONTROL)) < 0)
        s.Include(ssCtrl);
    if (GetKeyState(int(VK_MENU)) < 0)
        s.Include(ssAlt);
    return s;
}

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        PaintHandler(m);
        return;
    case WM_PRINTCLIENT:
        if (m.WParam) {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            if (m.LParam & PRF_ERASEBKGND)
                EraseBackground(dc);
            TMessage paint{WM_PAINT, m.WParam, 0, 0};
            PaintHandler(paint);
        }
        return;
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_WINDOWPOSCHANGED:
    case WM_SIZE:
    case WM_MOVE:
        DefaultHandler(m);
        UpdateBounds();
        return;
    case WM_SETTEXT:
        if (!settingText_ && m.LParam) {
            settingText_ = true;
            TControl::SetTextBuffer(StringView(reinterpret_cast<const WCHAR*>(m.LParam)));
            DefaultHandler(m);
            settingText_ = false;
            Perform(CM_TEXTCHANGED, 0, 0);
            return;
        }
        break;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && form != this && !IsDestroying())
            form->SetFocusedControl(this);
        DefaultHandler(m);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        DoKeyDown(m);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = WORD(m.WParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return;
        m.WParam = key;
        DefaultHandler(m);
        return;
    }
    case WM_CHAR: {
        WCHAR key = WCHAR(m.WParam);
        KeyPress(key);
        if (key == 0)
            return;
        m.WParam = key;
        DefaultHandler(m);
        return;
    }
    case CN_KEYDOWN:
        m.Result = DialogKey(m) ? 1 : 0;
        return;
    case CM_DIALOGKEY:
        Broadcast(m);
        return;
    case CM_FOCUSCHANGED:
        for (TControl* c : std::vector<TControl*>(controls_))
            if (dynamic_cast<TWinControl*>(c))
                c->Perform(CM_FOCUSCHANGED, m.WParam, m.LParam);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_FONTCHANGED:
        Invalidate();
        NotifyControls(CM_PARENTFONTCHANGED);
        return;
    case CM_COLORCHANGED:
        Invalidate();
        NotifyControls(CM_PARENTCOLORCHANGED);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && !IsDestroying())
            if (TCustomForm* form = GetParentForm(this); form && form != this)
                form->DefocusControl(this, false);
        if (handle_)
            EnableWindow(handle_, Enabled());
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
        return;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case WM_SETCURSOR:
        if (SetCursorFromControl(m))
            return;
        break;
    case WM_MOUSEMOVE:
        TrackMouse(m);
        if (IsControlMouseMsg(m))
            return;
        break;
    case WM_CONTEXTMENU:
        if (ShowPopupMenu(m))
            return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (Application)
            Application->CancelHint();
        if (IsControlMouseMsg(m))
            return;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (IsControlMouseMsg(m))
            return;
        break;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        if (Application)
            Application->MouseLeftWindow(this);
        DefaultHandler(m);
        return;
    default:
        break;
    }
    TControl::WndProc(m);
}

void TWinControl::TrackMouse(TMessage& m)
{
    TPoint pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TControl* target = nullptr;
    if (ClientRect().Contains(pt)) {
        target = ControlAtPos(pt, true);
        if (!target)
            target = this;
    }
    if (Application)
        Application->SetMouseControl(target);
    if (!trackingMouse_ && handle_) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = handle_;
        trackingMouse_ = TrackMouseEvent(&tme);
    }
}

bool TWinControl::IsControlMouseMsg(TMessage& m)
{
    TControl* target = nullptr;
    TPoint pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (handle_ && GetCapture() == handle_) {
        TControl* held = CaptureControl();
        if (held && held != this && held->Parent() == this)
            target = held;
    } else {
        target = ControlAtPos(pt, false);
    }
    if (!target || target == this)
        return false;
    m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(pt.x - target->Left(), pt.y - target->Top()));
    // What the windowless control leaves unanswered still gets the window's default handling
    // (a right-button release becomes WM_CONTEXTMENU).
    if (m.Result == 0 && handle_)
        DefaultHandler(m);
    return true;
}

bool TWinControl::SetCursorFromControl(TMessage& m)
{
    if (reinterpret_cast<HWND>(m.WParam) != handle_ || short(LOWORD(WPARAM(m.LParam))) != short(HTCLIENT))
        return false;
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
        POINT p{};
        GetCursorPos(&p);
        platform::ScreenToClient(handle_, &p);
        TControl* c = ControlAtPos(p, false);
        cursor = c ? c->Cursor() : Cursor();
    }
    if (cursor == crDefault)
        return false;
    platform::SetCursor(TScreen::CursorHandle(cursor));
    m.Result = 1;
    return true;
}

bool TWinControl::ShowPopupMenu(TMessage& m)
{
    POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (m.LParam == -1)
        GetCursorPos(&screen);
    POINT local = screen;
    if (handle_)
        platform::ScreenToClient(handle_, &local);
    TControl* target = ControlAtPos(local, false);
    if (!target)
        target = this;
    TPopupMenu* menu = target->PopupMenu();
    if (!menu || !menu->AutoPopup)
        return false;
    menu->SetPopupComponent(target);
    menu->Popup(screen.x, screen.y);
    m.Result = 1;
    return true;
}

void TWinControl::DoKeyDown(TMessage& m)
{
    if (Application)
        Application->CancelHint();
    if (Perform(CN_KEYDOWN, m.WParam, m.LParam) != 0) {
        m.Result = 0;
        return;
    }
    WORD key = WORD(m.WParam);
    KeyDown(key, KeyboardShiftState());
    if (key == 0)
        return;
    m.WParam = key;
    DefaultHandler(m);
}

bool TWinControl::DialogKey(TMessage& m)
{
    const WORD key = WORD(m.WParam);
    LRESULT mask = 0;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        return false;
    }
    if (Perform(CM_WANTSPECIALKEY, key, m.LParam) != 0)
        return false;
    if (Perform(WM_GETDLGCODE, 0, 0) & mask)
        return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(WCHAR& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

int TWinControl::TabOrder() const
{
    if (storedTabOrder_ >= 0 && (IsLoading() || !parent_))
        return storedTabOrder_;
    if (!parent_)
        return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (IsLoading() || !parent_ || parent_->IsLoading()) {
        storedTabOrder_ = value;
        return;
    }
    UpdateTabOrder(value);
}

void TWinControl::UpdateTabOrder(int value)
{
    if (!parent_)
        return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    value = std::clamp(value, 0, int(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::FixupTabList()
{
    const int count = int(tabList_.size());
    std::vector<TWinControl*> placed(std::size_t(count), nullptr);
    for (TWinControl* c : tabList_) {
        int j = c->storedTabOrder_;
        if (j >= 0 && j < count)
            placed[std::size_t(j)] = c;
    }
    for (int i = 0; i < count; ++i)
        if (placed[std::size_t(i)])
            placed[std::size_t(i)]->UpdateTabOrder(i);
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_)
        return;
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtr(handle_, GWL_STYLE);
        SetWindowLongPtr(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this)
        form->FocusControl(this);
    else if (HandleAllocated())
        platform::SetFocus(handle_);
}

void TWinControl::FocusOnClick()
{
    if (!Focused() && CanFocus())
        SetFocus();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = int(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0) : int(found - list.begin());
    int i = start;
    do {
        if (goForward) {
            if (++i == count)
                i = 0;
        } else {
            if (i == 0)
                i = count;
            --i;
        }
        TWinControl* c = list[std::size_t(i)];
        if (c == current)
            return nullptr;
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

} // namespace toolkit
