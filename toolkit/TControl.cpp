#include "toolkit/TControl.h"

#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "toolkit/TApplication.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/TWinControl.h"

namespace toolkit {

namespace {

TControl* captureControl = nullptr;

} // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = [this](TObject*) { FontChanged(); };
    ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TControl::~TControl()
{
    Destroying();
    if (Application)
        Application->ControlDestroyed(this);
    if (captureControl == this)
        captureControl = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    InvalidateControl(visible_, false);
    bool resized = AWidth != width_ || AHeight != height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    InvalidateControl(visible_, false);
    RequestAlign();
    if (resized && !IsLoading())
        Resize();
}

TRect TControl::ClientRect()
{
    return TRect{0, 0, width_, height_};
}

void TControl::SetClientWidth(int value)
{
    SetWidth(width_ - ClientWidth() + value);
}

void TControl::SetClientHeight(int value)
{
    SetHeight(height_ - ClientHeight() + value);
}

TPoint TControl::ClientOrigin()
{
    if (!parent_)
        return TPoint{left_, top_};
    TPoint p = parent_->ClientOrigin();
    return TPoint{p.x + left_, p.y + top_};
}

TPoint TControl::ClientToScreen(TPoint p)
{
    TPoint origin = ClientOrigin();
    return TPoint{p.x + origin.x, p.y + origin.y};
}

TPoint TControl::ScreenToClient(TPoint p)
{
    TPoint origin = ClientOrigin();
    return TPoint{p.x - origin.x, p.y - origin.y};
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_)
        return;
    align_ = value;
    RequestAlign();
}

void TControl::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    RequestAlign();
}

bool TControl::Showing() const
{
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation(u"A control cannot have itself as its parent");
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this)
            throw EInvalidOperation(u"A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::FontChanged()
{
    if (!assigningParentFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value && parent_)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor value)
{
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value && parent_)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor value)
{
    if (value == cursor_)
        return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

bool TControl::ShowHint() const
{
    if (parentShowHint_ && parent_)
        return static_cast<const TControl*>(parent_)->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool value)
{
    showHint_ = value;
    parentShowHint_ = false;
}

void TControl::SetText(StringView value)
{
    if (value == GetText())
        return;
    SetTextBuffer(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextBuffer(StringView value)
{
    text_ = String(value);
}

TControl* TControl::CaptureControl()
{
    TWinControl* holder = TWinControl::FindControl(platform::GetCapture());
    if (holder && captureControl && captureControl->parent_ == holder)
        return captureControl;
    return holder;
}

void TControl::SetCaptureControl(TControl* control)
{
    platform::ReleaseCapture();
    captureControl = nullptr;
    if (!control)
        return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) {
        if (!control->parent_)
            return;
        captureControl = control;
        windowed = control->parent_;
    }
    platform::SetCapture(windowed->Handle());
}

bool TControl::MouseCapture() const
{
    return CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() == value)
        return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
    if (!parent_ || !parent_->HandleAllocated() || IsLoading() || !isVisible)
        return;
    TRect r = BoundsRect();
    platform::InvalidateRect(parent_->Handle(), &r, !isOpaque);
}

void TControl::Invalidate()
{
    InvalidateControl(visible_, ControlStyle.Contains(csOpaque));
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (parent_)
        parent_->ReorderControl(this, true);
}

void TControl::SendToBack()
{
    if (parent_)
        parent_->ReorderControl(this, false);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parent_) {
        if (parentFont_)
            Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parentColor_)
            Perform(CM_PARENTCOLORCHANGED, 0, 0);
    }
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == popupMenu_)
        return;
    if (popupMenu_)
        RemoveFreeNotification(popupMenu_);
    popupMenu_ = menu;
    if (menu)
        FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && popupMenu_ && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::RequestAlign()
{
    if (parent_ && !IsLoading())
        parent_->AlignControl(this);
}

TShiftState TControl::KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & platform::MK_SHIFT)
        s.Include(ssShift);
    if (keys & platform::MK_CONTROL)
        s.Include(ssCtrl);
    if (keys & platform::MK_LBUTTON)
        s.Include(ssLeft);
    if (keys & platform::MK_RBUTTON)
        s.Include(ssRight);
    if (keys & platform::MK_MBUTTON)
        s.Include(ssMiddle);
    if (platform::GetKeyState(int(platform::VK_MENU)) < 0)
        s.Include(ssAlt);
    return s;
}

void TControl::HandleMouseMessage(TMessage& m)
{
    const int x = platform::GET_X_LPARAM(m.LParam), y = platform::GET_Y_LPARAM(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    switch (m.Msg) {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK: {
        ControlState.Include(csLButtonDown);
        if (ControlStyle.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (ControlStyle.Contains(csClickEvents))
            ControlState.Include(csClicked);
        if (m.Msg == platform::WM_LBUTTONDBLCLK && ControlStyle.Contains(csDoubleClicks)) {
            DblClick();
            shift.Include(ssDouble);
        }
        MouseDown(mbLeft, shift, x, y);
        break;
    }
    case platform::WM_LBUTTONUP: {
        ControlState.Exclude(csLButtonDown);
        if (ControlStyle.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (ControlState.Contains(csClicked)) {
            ControlState.Exclude(csClicked);
            if (ClientRect().Contains(TPoint{x, y}))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    }
    case platform::WM_RBUTTONDOWN:
    case platform::WM_RBUTTONDBLCLK:
        MouseDown(mbRight, shift, x, y);
        break;
    case platform::WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case platform::WM_MBUTTONDOWN:
    case platform::WM_MBUTTONDBLCLK:
        MouseDown(mbMiddle, shift, x, y);
        break;
    case platform::WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    case platform::WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
    case platform::WM_LBUTTONUP:
    case platform::WM_RBUTTONDOWN:
    case platform::WM_RBUTTONDBLCLK:
    case platform::WM_RBUTTONUP:
    case platform::WM_MBUTTONDOWN:
    case platform::WM_MBUTTONDBLCLK:
    case platform::WM_MBUTTONUP:
    case platform::WM_MOUSEMOVE:
        HandleMouseMessage(m);
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        // The parent hears of it too, with the control the mouse went over.
        if (parent_)
            parent_->Perform(m.Msg, 0, m.LParam ? m.LParam : LPARAM(this));
        if (m.LParam == 0) {
            const TNotifyEvent& event = m.Msg == CM_MOUSEENTER ? OnMouseEnter : OnMouseLeave;
            if (event)
                event(this);
        }
        return;
    }
    case CM_VISIBLECHANGED:
        InvalidateControl(true, ControlStyle.Contains(csOpaque));
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_) {
            assigningParentFont_ = true;
            font_->Assign(parent_->Font());
            assigningParentFont_ = false;
        }
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_) {
            color_ = parent_->Color();
            Perform(CM_COLORCHANGED, 0, 0);
        }
        return;
    case CM_HITTEST:
        m.Result = platform::HTCLIENT;
        return;
    default:
        break;
    }
    DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

TCustomForm* GetParentForm(const TControl* control)
{
    if (!control)
        return nullptr;
    const TControl* top = control;
    while (top->parent_)
        top = top->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

} // namespace toolkit
