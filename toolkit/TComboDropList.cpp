#include "toolkit/TComboDropList.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Window.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TCustomComboBox.h"
#include "toolkit/TCustomForm.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

TComboDropList::TComboDropList(TCustomComboBox* combo) : TCustomControl(combo), combo_(combo)
{
    SetVisible(false);
    SetColor(clWindow);
}

void TComboDropList::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    TCustomForm* form = GetParentForm(combo_);
    params.WndParent = form ? form->Handle() : nullptr;
    params.ClassStyle |= CS_SAVEBITS;
}

int TComboDropList::Count() const
{
    return combo_->Items()->Count();
}

int TComboDropList::VisibleCount() const
{
    return std::max(1, std::min(Count(), combo_->DropDownCount()));
}

TRect TComboDropList::ItemsRect()
{
    TRect r = ClientRect();
    InflateRect(&r, -1, -1);
    if (Count() > VisibleCount())
        r.right = std::max(r.left, r.right - CurrentControlLook().ScrollBarSize());
    return r;
}

DrawnScrollBar TComboDropList::ScrollBar()
{
    DrawnScrollBar bar;
    bar.vertical = true;
    if (Count() <= VisibleCount())
        return bar;
    TRect r = ClientRect();
    InflateRect(&r, -1, -1);
    bar.bounds = TRect{ItemsRect().right, r.top, r.right, r.bottom};
    bar.count = Count();
    bar.page = VisibleCount();
    bar.position = topIndex_;
    return bar;
}

TRect TComboDropList::ItemRect(int index)
{
    TRect items = ItemsRect();
    const int h = combo_->ItemHeight();
    const int top = items.top + (index - topIndex_) * h;
    return TRect{items.left, top, items.right, top + h};
}

int TComboDropList::ItemAtPos(TPoint p)
{
    TRect items = ItemsRect();
    if (!items.Contains(p))
        return -1;
    const int index = topIndex_ + (p.y - items.top) / combo_->ItemHeight();
    return index < Count() ? index : -1;
}

void TComboDropList::SetTopIndex(int value)
{
    value = std::clamp(value, 0, std::max(0, Count() - VisibleCount()));
    if (value == topIndex_)
        return;
    topIndex_ = value;
    Invalidate();
}

void TComboDropList::SetItemIndex(int value)
{
    if (value < -1 || value >= Count())
        value = -1;
    itemIndex_ = value;
    if (value >= 0) {
        if (value < topIndex_)
            SetTopIndex(value);
        else if (value >= topIndex_ + VisibleCount())
            SetTopIndex(value - VisibleCount() + 1);
    }
    Invalidate();
}

bool TComboDropList::IsShowing()
{
    return HandleAllocated() && IsWindowVisible(Handle());
}

void TComboDropList::Popup()
{
    Font()->Assign(combo_->Font());
    const int height = VisibleCount() * combo_->ItemHeight() + 2;
    TRect combo{};
    GetWindowRect(combo_->Handle(), &combo);
    int top = combo.bottom;
    if (top + height > GetSystemMetrics(SM_CYSCREEN) && combo.top - height >= 0)
        top = combo.top - height;
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, Count() - VisibleCount()));
    SetItemIndex(itemIndex_);
    SetBoundsRect(TRect{combo.left, top, combo.right, top + height});
    SetWindowPos(Handle(), HWND_TOPMOST, combo.left, top, combo.Width(), height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    SetCapture(Handle());
}

void TComboDropList::Hide()
{
    itemPressed_ = thumbDragging_ = false;
    pressed_ = DrawnScrollBar::Hit::None;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    if (IsShowing())
        ShowWindow(Handle(), SW_HIDE);
}

void TComboDropList::Mouse(TMessage& m)
{
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    using Hit = DrawnScrollBar::Hit;
    DrawnScrollBar bar = ScrollBar();
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!ClientRect().Contains(p)) {
            combo_->CloseUp(false);
            return;
        }
        pressed_ = bar.HitTest(p);
        switch (pressed_) {
        case Hit::LineUp: Perform(WM_VSCROLL, ScrollCode::LineUp, 0); break;
        case Hit::LineDown: Perform(WM_VSCROLL, ScrollCode::LineDown, 0); break;
        case Hit::PageUp: Perform(WM_VSCROLL, ScrollCode::PageUp, 0); break;
        case Hit::PageDown: Perform(WM_VSCROLL, ScrollCode::PageDown, 0); break;
        case Hit::Thumb:
            thumbDragging_ = true;
            thumbGrip_ = p.y - bar.ThumbRect().top;
            break;
        case Hit::None: {
            const int index = ItemAtPos(p);
            itemPressed_ = index >= 0;
            if (index >= 0)
                SetItemIndex(index);
            break;
        }
        }
        Invalidate();
        return;
    }
    case WM_MOUSEMOVE: {
        if (thumbDragging_) {
            const int offset = p.y - bar.TrackRect().top - thumbGrip_;
            Perform(WM_VSCROLL, MAKEWPARAM(ScrollCode::ThumbTrack, bar.PositionForThumbOffset(offset)), 0);
            return;
        }
        // The highlight follows the mouse over the items.
        const int index = ItemAtPos(p);
        if (index >= 0 && index != itemIndex_ && pressed_ == Hit::None)
            SetItemIndex(index);
        return;
    }
    case WM_LBUTTONUP: {
        const bool wasItem = itemPressed_;
        itemPressed_ = thumbDragging_ = false;
        pressed_ = Hit::None;
        Invalidate();
        if (wasItem && ItemAtPos(p) >= 0) {
            SetItemIndex(ItemAtPos(p));
            combo_->CloseUp(true);
        }
        return;
    }
    default:
        return;
    }
}

void TComboDropList::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        Mouse(m);
        return;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (!ClientRect().Contains(p))
            combo_->CloseUp(false);
        return;
    }
    case WM_MOUSEWHEEL:
        // The list holds the capture while it is shown, so the wheel comes here wherever the
        // mouse is: three names a notch.
        SetTopIndex(topIndex_ - short(HIWORD(m.WParam)) * 3 / WHEEL_DELTA);
        return;
    case WM_CAPTURECHANGED:
        // Losing the mouse to someone else closes the list, as any click elsewhere would.
        if (combo_->DroppedDown() && reinterpret_cast<HWND>(m.LParam) != Handle())
            combo_->CloseUp(false);
        return;
    case WM_VSCROLL: {
        const int page = std::max(1, VisibleCount() - 1);
        switch (int(LOWORD(m.WParam))) {
        case ScrollCode::LineUp: SetTopIndex(topIndex_ - 1); break;
        case ScrollCode::LineDown: SetTopIndex(topIndex_ + 1); break;
        case ScrollCode::PageUp: SetTopIndex(topIndex_ - page); break;
        case ScrollCode::PageDown: SetTopIndex(topIndex_ + page); break;
        case ScrollCode::ThumbPosition:
        case ScrollCode::ThumbTrack: SetTopIndex(int(HIWORD(m.WParam))); break;
        case ScrollCode::Top: SetTopIndex(0); break;
        case ScrollCode::Bottom: SetTopIndex(Count()); break;
        default: break;
        }
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TComboDropList::EraseBackground(HDC) {}

void TComboDropList::Paint()
{
    TCanvas& canvas = *Canvas();
    ControlLook& look = CurrentControlLook();
    TRect r = ClientRect();
    look.DrawPopupFrame(canvas, r);
    FillSolidRect(canvas.Handle(), r, GetSysColor(COLOR_WINDOW));
    const int last = std::min(Count(), topIndex_ + VisibleCount());
    for (int i = topIndex_; i < last; ++i)
        combo_->DrawItem(canvas, i, ItemRect(i), i == itemIndex_ ? LookState::Checked : LookState::Normal);
    ScrollBar().Paint(canvas, pressed_, true);
}

} // namespace toolkit
