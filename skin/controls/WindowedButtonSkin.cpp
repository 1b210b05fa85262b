#include "skin/controls/WindowedButtonSkin.h"

#include "skin/controls/ButtonFades.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "toolkit/TApplication.h"

#include <chrono>
#include <thread>

namespace skin {

using namespace platform;
using toolkit::TMessage;
using toolkit::TRect;

namespace {

// How long a release shows the press that a fade had not reached yet.
constexpr auto PressShownOnRelease = std::chrono::milliseconds(30);

// An owner-drawn button (style bit $8) other than self has the focus.
bool FocusOnOtherOwnerDrawnButton(toolkit::TWinControl& self)
{
    const HWND focus = GetFocus();
    if (!focus || (self.HandleAllocated() && focus == self.Handle()))
        return false;
    if (!dynamic_cast<toolkit::TButton*>(toolkit::TWinControl::FindControl(focus)))
        return false;
    return (GetWindowLongPtr(focus, GWL_STYLE) & 0x8) != 0;
}

} // namespace

WindowedButtonSkin::WindowedButtonSkin(toolkit::TButton& button, TsCtrlSkinData& data, WindowedButtonOwner& owner)
    : button_(button), data_(data), owner_(owner)
{
}

int WindowedButtonSkin::CurrentState()
{
    const TsSkinManager* manager = data_.Manager();
    WindowedButtonFacts f;
    f.Pushed = forcePressed_ ||
               (button_.HandleAllocated() && (button_.Perform(toolkit::BM_GETSTATE) & toolkit::BST_PUSHED));
    f.MouseAbove = data_.FMouseAbove;
    f.LeftButtonHeld = GetKeyState(VK_LBUTTON) < 0;
    f.NoMouseHover = manager && manager->Options.NoMouseHover;
    f.Down = owner_.ButtonDown();
    f.Active = data_.ControlIsActive();
    f.Default = button_.Default();
    f.FocusOnOwnerDrawnButton = f.Default && FocusOnOtherOwnerDrawnButton(button_);
    return owner_.StateFor(f);
}

const TsMaskData* WindowedButtonSkin::BorderMask() const
{
    const TsSkinModel* model = data_.Model();
    if (!model || !model->IsValidImgIndex(data_.BorderIndex))
        return nullptr;
    return &model->ma[std::size_t(data_.BorderIndex)];
}

// No new region while a fade timer lives: its pictures were made with the old one.
bool WindowedButtonSkin::RegionWanted() const
{
    return RegionChanged && !data_.AnimTimer && !TsSkinManager::DrawingRestricted();
}

bool WindowedButtonSkin::PrepareCache()
{
    const TacBGInfo info = GetBGInfo(button_);
    if (info.BgType == btNotReady) {
        data_.FUpdating = true;
        return false;
    }
    Bitmap& cache = *data_.FCacheBmp;
    if (cache.Width() != button_.Width() || cache.Height() != button_.Height())
        cache.SetSize(std::max(0, button_.Width()), std::max(0, button_.Height()));
    ButtonSkin s;
    s.Model = data_.Model();
    s.Manager = data_.Manager();
    s.SkinIndex = data_.SkinIndex();
    s.State = CurrentState();
    s.CI = BGInfoToCI(info);
    s.Texture = data_.Texture;
    s.HotTexture = data_.HotTexture;
    s.Effects = TacColorEffects{int(data_.ColorTone()), data_.HUEOffset(), data_.Saturation()};
    s.CustomFont = data_.CustomFont();
    last_ = owner_.PaintPicture(s, RegionWanted(), cache);
    if (last_.Region)
        FRegion = std::move(last_.Region);
    data_.BGChanged = false;
    return true;
}

// The new region goes to the window, which repaints in the parent what the old one showed.
void WindowedButtonSkin::ApplyRegion()
{
    if (!FRegion || !button_.HandleAllocated())
        return;
    SetWindowRgn(button_.Handle(), new Region(*FRegion), true);
    FRegion.reset();
    RegionChanged = false;
    LastRect = button_.BoundsRect();
}

void WindowedButtonSkin::PaintWindow(HDC dc)
{
    // A window made after the skin was announced never heard of it: it looks the section up now.
    if (!Skinned() && data_.Model() && data_.SkinIndex() < 0 && !data_.Loading())
        data_.UpdateIndexes(true);
    if (!Skinned()) {
        owner_.InheritedPaintWindow(dc);
        return;
    }
    if (data_.FUpdating)
        return;
    const bool fading = data_.AnimTimer && data_.AnimTimer->Running();
    if (!fading) {
        toolkit::TWinControl* parent = button_.Parent();
        if (data_.HalfVisible || (parent && parent->Perform(SM_VELTACMD, AcCommand(AC_GETHALFVISIBLE), 0)))
            data_.BGChanged = true;
        data_.HalfVisible = false;
        if (parent) {
            const TRect client = parent->ClientRect();
            const TRect b = button_.BoundsRect();
            data_.HalfVisible = b.left < client.left || b.top < client.top || b.right > client.right ||
                                b.bottom > client.bottom;
        }
        if (owner_.LayoutChanged())
            data_.BGChanged = true;
        const TsMaskData* md = BorderMask();
        const bool shaped = md && md->CornerType == 2;
        if ((shaped && RegionChanged) || data_.BGChanged || data_.FCacheBmp->IsEmpty()) {
            if (!PrepareCache())
                return;
            if (shaped)
                ApplyRegion();
        }
    }
    const Bitmap* picture = PictureToShow(data_);
    if (!picture || picture->IsEmpty())
        return;
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(picture));
    BitBlt(dc, 0, 0, picture->Width(), picture->Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
}

void WindowedButtonSkin::Change(int newState, TacAnimatEvent event, bool glow, bool fast)
{
    ChangeButtonState(data_, owner_.ButtonAnimatEvents(), {newState, event, glow, fast}, AnimStepWindowed);
}

void WindowedButtonSkin::MouseEntered(bool wasAbove)
{
    const TsSkinManager* manager = data_.Manager();
    if (wasAbove || !data_.FMouseAbove || !button_.Enabled() || (manager && manager->Options.NoMouseHover))
        return;
    data_.BGChanged = false;
    Change(1, aeMouseEnter, true, false);
}

void WindowedButtonSkin::MouseLeft(bool wasAbove)
{
    if (!wasAbove || data_.FMouseAbove)
        return;
    data_.BGChanged = false;
    Change(CurrentState(), aeMouseLeave, false, false);
}

void WindowedButtonSkin::LeftButtonDown()
{
    if (owner_.ButtonDown() || !button_.Enabled())
        return;
    FMouseClicked = true;
    RegionChanged = true;
    if (toolkit::Application)
        toolkit::Application->CancelHint();
    data_.BGChanged = false;
    Change(2, aeMouseDown, false, true);
}

void WindowedButtonSkin::ShowPressBeforeRelease()
{
    if (!data_.AnimTimer || !data_.AnimTimer->Running())
        return;
    data_.StopAnimation();
    forcePressed_ = true;
    data_.BGChanged = true;
    if (button_.HandleAllocated())
        RedrawWindow(button_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    forcePressed_ = false;
    std::this_thread::sleep_for(PressShownOnRelease);
}

void WindowedButtonSkin::FadeAfterRelease()
{
    RegionChanged = true;
    if (data_.FMouseAbove)
        Change(CurrentState(), aeMouseUp, true, true);
    else
        data_.Invalidate();
}

void WindowedButtonSkin::WndProc(TMessage& m)
{
    if (m.Msg == SM_VELTACMD) {
        if (CommonWndProc(m, data_))
            return;
        switch (AcCommandOf(m.WParam)) {
        case AC_GETDEFINDEX:
            if (const TsSkinModel* model = data_.Model())
                m.Result = 1 + model->ConstData.Sections[std::size_t(TacSection::ssButton)];
            return;
        case AC_PREPARECACHE:
            m.Result = Skinned() && PrepareCache() ? 1 : 0;
            return;
        default:
            owner_.InheritedWndProc(m);
            return;
        }
    }
    const bool wasAbove = data_.FMouseAbove;
    if (CommonWndProc(m, data_))
        return;
    if (!Skinned()) {
        owner_.InheritedWndProc(m);
        return;
    }
    switch (m.Msg) {
    case toolkit::CM_MOUSEENTER:
        owner_.InheritedWndProc(m);
        if (m.LParam == 0)
            MouseEntered(wasAbove);
        return;
    case toolkit::CM_MOUSELEAVE:
        owner_.InheritedWndProc(m);
        if (m.LParam == 0)
            MouseLeft(wasAbove);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        owner_.InheritedWndProc(m);
        LeftButtonDown();
        return;
    case WM_LBUTTONUP: {
        const bool clicked = FMouseClicked;
        FMouseClicked = false;
        if (clicked)
            ShowPressBeforeRelease();
        owner_.InheritedWndProc(m);
        if (clicked)
            FadeAfterRelease();
        else
            data_.AnimTimer.reset();
        return;
    }
    case WM_KEYUP:
        owner_.InheritedWndProc(m);
        if (m.WParam == VK_SPACE) {
            RegionChanged = true;
            data_.Invalidate();
        }
        return;
    case WM_KILLFOCUS:
        data_.StopAnimation();
        data_.FFocused = false;
        HideGlow(data_.GlowID);
        owner_.InheritedWndProc(m);
        data_.Invalidate();
        return;
    case WM_SETFOCUS:
        owner_.InheritedWndProc(m);
        data_.Invalidate();
        return;
    case WM_SIZE:
        RegionChanged = true;
        break;
    default:
        break;
    }
    owner_.InheritedWndProc(m);
}

} // namespace skin
