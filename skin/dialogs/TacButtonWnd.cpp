#include "skin/dialogs/TacButtonWnd.h"

#include "skin/controls/ButtonPicture.h"
#include "skin/controls/ParentBackground.h"
#include "skin/dialogs/ChildBackground.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/Font.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "toolkit/TButton.h"

using namespace platform;

namespace skin {

namespace {

// The default-button style bit of push buttons.
constexpr LONG_PTR kDefPushButton = 0x1;

toolkit::TButton* ToolkitButton(HWND hwnd)
{
    return dynamic_cast<toolkit::TButton*>(toolkit::TWinControl::FindControl(hwnd));
}

} // namespace

TacButtonWnd::TacButtonWnd(TsSkinManager& manager, HWND hwnd) : TacSubclassedWnd(hwnd), manager_(manager)
{
    if (Alive())
        InvalidateRect(hwnd, nullptr, true);
}

bool TacButtonWnd::Skinned() const
{
    const TsSkinModel* model = manager_.Model();
    return Alive() && manager_.Active() && model &&
           model->ConstData.Sections[std::size_t(TacSection::ssButton)] >= 0;
}

bool TacButtonWnd::IsDefault() const
{
    if (toolkit::TButton* b = ToolkitButton(Handle()))
        return b->Default();
    return (GetWindowLongPtr(Handle(), GWL_STYLE) & kDefPushButton) != 0;
}

int TacButtonWnd::CurrentState() const
{
    if (!Alive() || !IsWindowEnabled(Handle()))
        return 0;
    if ((held_ && hot_) || spaceHeld_)
        return 2;
    if (hot_ || GetFocus() == Handle())
        return 1;
    return IsDefault() ? 3 : 0;
}

void TacButtonWnd::SetHot(bool hot)
{
    if (hot == hot_)
        return;
    hot_ = hot;
    InvalidateRect(Handle(), nullptr, false);
}

void TacButtonWnd::Paint(HDC dc)
{
    RECT r{};
    GetClientRect(Handle(), &r);
    if (r.IsEmpty())
        return;
    cache_.SetSize(int(r.Width()), int(r.Height()));
    const TsSkinModel* model = manager_.Model();
    ButtonSkin s;
    s.Model = model;
    s.Manager = &manager_;
    s.SkinIndex = model->ConstData.Sections[std::size_t(TacSection::ssButton)];
    s.State = CurrentState();
    const TacBGInfo bg = ParentBGOf(Handle());
    s.CI = BGInfoToCI(bg);
    ButtonContent c;
    c.Caption = GetWindowText(Handle());
    toolkit::TButton* own = ToolkitButton(Handle());
    c.Font = own ? own->Font()->Handle() : GetDefaultGuiFont();
    c.WordWrap = false;
    c.Enabled = IsWindowEnabled(Handle());
    c.ShiftContentOnClick = manager_.ButtonsOptions.ShiftContentOnClick;
    c.ShowFocusFrame = GetFocus() == Handle() && manager_.ButtonsOptions.ShowFocusRect;
    PaintPushButtonPicture(s, c, PushButtonLook{}, false, cache_);
    HDC src = CreateBitmapDC(&cache_);
    BitBlt(dc, 0, 0, cache_.Width(), cache_.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
}

LRESULT TacButtonWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!Skinned())
        return CallOld(msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (dc)
            Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: {
        RECT r{};
        GetClientRect(Handle(), &r);
        const bool inside = r.Contains(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (inside && !hot_) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = Handle();
            TrackMouseEvent(&tme);
        }
        SetHot(inside);
        break;
    }
    case WM_MOUSELEAVE: SetHot(false); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        held_ = true;
        SetHot(true);
        InvalidateRect(Handle(), nullptr, false);
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (held_) {
            held_ = false;
            InvalidateRect(Handle(), nullptr, false);
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !spaceHeld_) {
            spaceHeld_ = true;
            InvalidateRect(Handle(), nullptr, false);
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && spaceHeld_) {
            spaceHeld_ = false;
            InvalidateRect(Handle(), nullptr, false);
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (msg == WM_KILLFOCUS)
            spaceHeld_ = false;
        // The default look moves with the focus among the buttons of the window.
        if (HWND parent = GetParent(Handle()))
            RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        break;
    case WM_ENABLE:
    case WM_SETTEXT: InvalidateRect(Handle(), nullptr, false); break;
    default: break;
    }
    return CallOld(msg, wParam, lParam);
}

} // namespace skin
