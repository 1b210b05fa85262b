#include "toolkit/TWinControl.h"

#include "platform/window/Cursor.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TApplication.h"
#include "toolkit/TCustomForm.h"

#include <algorithm>
#include <unordered_map>

namespace toolkit {

using namespace platform;

namespace {

std::unordered_map<HWND, TWinControl*>& Registry()
{
    static std::unordered_map<HWND, TWinControl*> registry;
    return registry;
}

// The control whose window is being created: its first messages arrive before CreateWindowEx
// answers the handle.
TWinControl* creationControl = nullptr;

void EnsureClassRegistered(const String& className, UINT classStyle)
{
    WNDCLASS existing;
    if (GetClassInfo(nullptr, className, &existing))
        return;
    WNDCLASS wc;
    wc.style = classStyle;
    wc.lpfnWndProc = ToolkitWndProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = clNone;
    wc.lpszClassName = className;
    RegisterClass(wc);
}

} // namespace

LRESULT ToolkitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* control = TWinControl::FindControl(hwnd);
    if (!control && creationControl) {
        control = creationControl;
        creationControl = nullptr;
        control->AttachHandle(hwnd);
    }
    if (!control)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return control->MainWndProc(msg, wParam, lParam);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    Destroying();
    if (TCustomForm* form = GetParentForm(this); form && form != this)
        form->DefocusControl(this, true);
    // Owned components go while this control is still whole: they may be its children.
    DestroyComponents();
    DestroyHandle();
    while (!controls_.empty())
        RemoveControl(controls_.back());
}

TWinControl* TWinControl::FindControl(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto& registry = Registry();
    auto it = registry.find(hwnd);
    return it == registry.end() ? nullptr : it->second;
}

void TWinControl::AttachHandle(HWND hwnd)
{
    handle_ = hwnd;
    Registry()[hwnd] = this;
}

void TWinControl::HandleDestroyed()
{
    if (!handle_)
        return;
    Registry().erase(handle_);
    handle_ = nullptr;
    trackingMouse_ = false;
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (!handle_)
        CreateHandle();
}

void TWinControl::CreateHandle()
{
    if (handle_)
        return;
    if (parent_) {
        // The parent creates the windows of all its children, this one included.
        parent_->HandleNeeded();
        if (handle_)
            return;
    }
    CreateWnd();
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle.Contains(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    if (Visible())
        params.Style |= WS_VISIBLE;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = height_;
    if (parent_)
        params.WndParent = parent_->handle_;
    params.WinClassName = ClassName();
    params.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(Format(u"Control '%s' has no parent window", {Name()}));
    EnsureClassRegistered(params.WinClassName, params.ClassStyle);
    creationControl = this;
    HWND hwnd = CreateWindowEx(params.ExStyle, params.WinClassName, params.Caption, params.Style, params.X,
                               params.Y, params.Width, params.Height, params.WndParent, nullptr, nullptr, nullptr);
    creationControl = nullptr;
    if (!hwnd) {
        HandleDestroyed();
        throw EInvalidOperation(Format(u"Error creating window of %s", {Name().empty() ? ClassName() : Name()}));
    }
    if (!handle_)
        AttachHandle(hwnd);
}

void TWinControl::DestroyWnd()
{
    HWND hwnd = handle_;
    // A control on its way out takes no more messages; one that lives on sees its window go.
    if (IsDestroying())
        HandleDestroyed();
    DestroyWindow(hwnd);
    HandleDestroyed();
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    DestroyHandle();
    CreateHandle();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= int(controls_.size()))
        throw EListError(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
    return controls_[std::size_t(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control)
{
    control->parent_ = this;
    controls_.push_back(control);
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed) {
        tabList_.push_back(windowed);
        if (handle_)
            windowed->CreateHandle();
    }
    if (!control->IsLoading()) {
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
        control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        if (!windowed)
            control->Invalidate();
        AlignControl(control);
    }
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(windowed, true);
        windowed->DestroyHandle();
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), windowed), tabList_.end());
    } else {
        control->InvalidateControl(control->Visible(), false);
    }
    if (control->MouseCapture())
        SetCaptureControl(nullptr);
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    control->parent_ = nullptr;
    if (!IsDestroying())
        Realign();
}

void TWinControl::ReorderControl(TControl* control, bool toFront)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    controls_.erase(it);
    if (toFront)
        controls_.push_back(control);
    else
        controls_.insert(controls_.begin(), control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (windowed->handle_)
            SetWindowPos(windowed->handle_, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        control->Invalidate();
    }
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls)
            continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        if (!c->BoundsRect().Contains(pos))
            continue;
        if (c->Perform(CM_HITTEST, 0, MAKELPARAM(pos.x - c->Left(), pos.y - c->Top())) != 0)
            return c;
    }
    return nullptr;
}

void TWinControl::SetBorderWidth(int value)
{
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    Realign();
    Invalidate();
}

TRect TWinControl::ClientRect()
{
    if (handle_) {
        TRect r{};
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin()
{
    if (handle_) {
        TPoint p{0, 0};
        platform::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    if (handle_ && !IsLoading()) {
        // The window reports the new bounds back (WM_WINDOWPOSCHANGED), which realigns.
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    } else {
        bool resized = AWidth != width_ || AHeight != height_;
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
        if (handle_)
            SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        if (resized && !IsLoading()) {
            Realign();
            Resize();
        }
    }
    RequestAlign();
}

void TWinControl::UpdateBounds()
{
    if (!handle_)
        return;
    RECT r{};
    GetWindowRect(handle_, &r);
    if (GetWindowLongPtr(handle_, GWL_STYLE) & WS_CHILD) {
        HWND parentWindow = GetParent(handle_);
        if (parentWindow)
            MapWindowPoints(nullptr, parentWindow, &r);
    }
    bool resized = r.Width() != width_ || r.Height() != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.Width();
    height_ = r.Height();
    if (resized && !IsLoading()) {
        Realign();
        Resize();
    }
}

bool TWinControl::Showing() const
{
    if (parent_)
        return Visible() && parent_->Showing();
    return Visible();
}

void TWinControl::VisibleChanged()
{
    if (!Visible() && !IsDestroying())
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->DefocusControl(this, false);
    UpdateShowing();
}

void TWinControl::UpdateShowing()
{
    if (!handle_)
        return;
    ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TWinControl::Repaint()
{
    if (handle_)
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::SetTextBuffer(StringView value)
{
    TControl::SetTextBuffer(value);
    if (handle_ && !settingText_) {
        settingText_ = true;
        SetWindowText(handle_, value);
        settingText_ = false;
    }
}

void TWinControl::DisableAlign()
{
    ++alignLevel_;
}

void TWinControl::EnableAlign()
{
    if (--alignLevel_ == 0 && alignPending_)
        Realign();
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* control)
{
    if (IsLoading() || IsDestroying())
        return;
    if (alignLevel_ != 0) {
        alignPending_ = true;
        return;
    }
    DisableAlign();
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(control, rect);
    alignPending_ = false;
    --alignLevel_;
}

void TWinControl::AdjustClientRect(TRect& rect)
{
    InflateRect(&rect, -borderWidth_, -borderWidth_);
}

void TWinControl::AlignControls(TControl* control, TRect& rect)
{
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    auto before = [](TControl* a, TControl* b, TAlign align) {
        switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() >= b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() >= b->Left() + b->Width();
        default: return false;
        }
    };
    for (TAlign align : order) {
        std::vector<TControl*> list;
        if (control && control->Align() == align && control->Visible() && control->Parent() == this)
            list.push_back(control);
        for (TControl* c : controls_) {
            if (c == control || c->Align() != align || !c->Visible())
                continue;
            std::size_t j = 0;
            while (j < list.size() && !before(c, list[j], align))
                ++j;
            list.insert(list.begin() + std::ptrdiff_t(j), c);
        }
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            switch (align) {
            case alTop:
                c->SetBounds(rect.left, rect.top, std::max(rect.Width(), 0), h);
                rect.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.left, rect.bottom - h, std::max(rect.Width(), 0), h);
                rect.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.left, rect.top, w, std::max(rect.Height(), 0));
                rect.left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.right - w, rect.top, w, std::max(rect.Height(), 0));
                rect.right -= c->Width();
                break;
            case alClient:
                c->SetBounds(rect.left, rect.top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
                break;
            default:
                break;
            }
        }
    }
}

void TWinControl::Broadcast(TMessage& message)
{
    for (TControl* c : std::vector<TControl*>(controls_)) {
        c->WindowProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT msg)
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->Perform(msg, 0, 0);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabList();
    Realign();
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::EraseBackground(HDC dc)
{
    FillSolidRect(dc, ClientRect(), ColorValue());
}

void TWinControl::PaintHandler(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps;
    if (!dc) {
        dc = BeginPaint(handle_, &ps);
        if (!dc)
            return;
    }
    int saved = SaveDC(dc);
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
    if (!m.WParam)
        EndPaint(handle_, &ps);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    auto it = controls_.begin();
    if (first) {
        it = std::find(controls_.begin(), controls_.end(), first);
        if (it == controls_.end())
            it = controls_.begin();
    }
    for (; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        TRect b = c->BoundsRect();
        if (b.IsEmpty() || !RectVisible(dc, b))
            continue;
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
        IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
        c->Perform(WM_PAINT, WPARAM(dc), 0);
        RestoreDC(dc, saved);
    }
}

LRESULT TWinControl::MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    HWND hwnd = handle_;
    try {
        WindowProc(m);
    } catch (...) {
        TApplication::HandleCurrentException(this);
    }
    if (msg == WM_NCDESTROY && FindControl(hwnd) == this)
        HandleDestroyed();
    return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (handle_ && m.Msg < CM_BASE)
        m.Result = DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
}

} // namespace toolkit
