#include "skin/controls/CommonWndProc.h"

#include "skin/controls/ParentBackground.h"
#include "skin/controls/TsCommonData.h"
#include "skin/effects/DoChangePaint.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/SectionColor.h"

#include "platform/window/Cursor.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "toolkit/Colors.h"
#include "toolkit/TSpeedButton.h"
#include "toolkit/TWinControl.h"

using namespace platform;
using toolkit::TMessage;

namespace skin {

namespace {

bool BothStatesTransparent(const TsCommonData& data)
{
    const TsGeneralData* s = data.Section();
    return s && s->Props[0].Transparency == 100 && s->Props[1].Transparency == 100;
}

bool TakesHotColors(const TsCommonData& data)
{
    const TsGeneralData* s = data.Section();
    return InEditCtrls(data.COC()) && s && s->States >= 2;
}

// Windowless children get no broadcast of their own: their parent passes the skin commands on.
void PassToGraphicChildren(TsCommonData& data, const TMessage& m)
{
    toolkit::TWinControl* win = data.OwnerWinControl();
    if (!win)
        return;
    for (int i = 0; i < win->ControlCount(); ++i) {
        toolkit::TControl* c = win->Controls(i);
        if (!dynamic_cast<toolkit::TWinControl*>(c))
            c->Perform(m.Msg, m.WParam, m.LParam);
    }
}

void PassToChildren(TsCommonData& data, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (toolkit::TWinControl* win = data.OwnerWinControl())
        for (int i = 0; i < win->ControlCount(); ++i)
            win->Controls(i)->Perform(msg, wParam, lParam);
}

void RedrawFrame(TsCommonData& data)
{
    toolkit::TWinControl* win = data.OwnerWinControl();
    if (win && win->HandleAllocated())
        RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool StillUnderMouse(TsCommonData& data)
{
    toolkit::TWinControl* win = data.OwnerWinControl();
    if (!win || !win->HandleAllocated())
        return false;
    POINT p{};
    GetCursorPos(&p);
    const HWND under = WindowFromPoint(p);
    return under && (under == win->Handle() || IsChild(win->Handle(), under));
}

// Only one speed button of a parent is hot: the others are told the mouse has gone.
void LeaveOtherSpeedButtons(TsCommonData& data)
{
    toolkit::TControl* owner = data.OwnerControl();
    toolkit::TWinControl* parent = owner ? owner->Parent() : nullptr;
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        toolkit::TControl* c = parent->Controls(i);
        if (c == owner || !dynamic_cast<toolkit::TSpeedButton*>(c))
            continue;
        auto* other = reinterpret_cast<TsCommonData*>(c->Perform(SM_VELTACMD, AcCommand(AC_GETSKINDATA), 0));
        if (other && other->FMouseAbove)
            c->Perform(toolkit::CM_MOUSELEAVE, 0, 0);
    }
}

void MouseEnter(TsCommonData& data)
{
    const TsSkinManager* manager = data.Manager();
    if (data.FMouseAbove || (manager && manager->Options.NoMouseHover) || BothStatesTransparent(data))
        return;
    LeaveOtherSpeedButtons(data);
    data.FMouseAbove = true;
    if (TsSkinManager* m = data.Manager()) {
        toolkit::TWinControl* win = data.OwnerWinControl();
        if (win && win->HandleAllocated())
            m->SetActiveControl(win->Handle(), win->Handle());
    }
    if (!InCanNotBeHot(data.COC()) && !InButtons(data.COC()))
        ShowGlowingIfNeeded(data, AnimationAllowed(data));
    if (TakesHotColors(data) && !(InNoHotEdits(data.COC()) && !ac_AllowHotEdits)) {
        ApplyStateColors(data, 1);
        RedrawFrame(data);
    }
}

void MouseLeave(TsCommonData& data)
{
    const TsSkinManager* manager = data.Manager();
    if (!data.FMouseAbove || (manager && manager->Options.NoMouseHover) || BothStatesTransparent(data) ||
        StillUnderMouse(data))
        return;
    data.FMouseAbove = false;
    if (!InCanNotBeHot(data.COC()) && !InButtons(data.COC()))
        HideGlow(data, true);
    if (TakesHotColors(data) && !data.ControlIsActive())
        ApplyStateColors(data, 0);
    RedrawFrame(data);
}

void FocusChanged(TsCommonData& data, bool focused)
{
    toolkit::TWinControl* win = data.OwnerWinControl();
    if (focused && (!win || !win->CanFocus() || !win->TabStop() || BothStatesTransparent(data)))
        return;
    data.BGChanged = true;
    data.FFocused = focused;
    if (!TakesHotColors(data))
        return;
    if (focused) {
        ApplyStateColors(data, 1);
        data.Invalidate();
    } else {
        // The window system may still name this window as focused while it loses the focus.
        if (!data.ActiveByMouse())
            ApplyStateColors(data, 0);
        if (win && win->Visible())
            RedrawFrame(data);
    }
}

bool ChildChanged(TsCommonData& data)
{
    const TsGeneralData* section = data.Section();
    if (!section)
        return false;
    if (data.BGType != 0 || data.BorderIndex >= 0 || section->ImgTL >= 0 || section->ImgTR >= 0 ||
        section->ImgBL >= 0 || section->ImgBR >= 0)
        return true;
    toolkit::TControl* owner = data.OwnerControl();
    if (section->Props[0].Transparency > 0 && owner && owner->Parent())
        return owner->Parent()->Perform(SM_VELTACMD, AcCommand(AC_CHILDCHANGED), reinterpret_cast<LPARAM>(owner)) != 0;
    return false;
}

bool SectionNamed(const TsCommonData& data, const char16_t* name)
{
    if (!name)
        return false;
    if (!data.SkinSection().empty())
        return data.SkinSection() == name;
    const TsGeneralData* section = data.Section();
    return section && Utf8ToUtf16(section->ClassName) == name;
}

bool SkinCommand(TMessage& m, TsCommonData& data)
{
    const WORD command = AcCommandOf(m.WParam);
    const WORD argument = AcArgumentOf(m.WParam);
    const bool ownManager = reinterpret_cast<TsSkinManager*>(m.LParam) == data.Manager();
    switch (command) {
    case AC_CTRLHANDLED:
        m.Result = 1;
        return true;
    case AC_GETSKINDATA:
        m.Result = reinterpret_cast<LRESULT>(&data);
        return true;
    case AC_SETNEWSKIN:
        if (ownManager) {
            data.StopAnimation();
            HideGlow(data.GlowID);
            data.FUpdating = data.FUpdateCount > 0;
            data.UpdateIndexes(true);
            if (data.FCacheBmp)
                data.FCacheBmp->SetSize(0, 0);
            data.BGChanged = true;
            // An edit shows its section's colours, not the ones it was designed with.
            if (TakesHotColors(data))
                ApplyStateColors(data, data.ControlIsActive() ? 1 : 0);
            PassToGraphicChildren(data, m);
            data.Invalidate();
        }
        return false;
    case AC_REMOVESKIN:
        if (ownManager) {
            data.StopAnimation();
            HideGlow(data.GlowID);
            RestoreSavedColors(data);
            data.ForgetIndexes();
            if (data.FCacheBmp)
                data.FCacheBmp->SetSize(0, 0);
            data.BGChanged = true;
            PassToGraphicChildren(data, m);
            data.Invalidate();
        }
        return false;
    case AC_REFRESH:
        if (ownManager) {
            data.BGChanged = true;
            data.UpdateSkinState(false);
            if (TakesHotColors(data))
                ApplyStateColors(data, data.ControlIsActive() ? 1 : 0);
            PassToGraphicChildren(data, m);
            data.Invalidate();
        }
        return false;
    case AC_ENDPARENTUPDATE:
        if (data.FUpdating && data.FUpdateCount == 0) {
            data.FUpdating = false;
            data.Invalidate();
        }
        PassToChildren(data, m.Msg, m.WParam, m.LParam);
        return true;
    case AC_UPDATING:
        data.FUpdating = argument == 1;
        return true;
    case AC_PREPARING:
        m.Result = (data.BGChanged || data.FUpdating) ? 1 : 0;
        return true;
    case AC_GETHALFVISIBLE:
        m.Result = data.HalfVisible ? 1 : 0;
        return true;
    case AC_SETHALFVISIBLE:
        data.HalfVisible = true;
        return true;
    case AC_UPDATESECTION:
        if (SectionNamed(data, reinterpret_cast<const char16_t*>(m.LParam))) {
            data.UpdateIndexes(true);
            data.Invalidate();
        }
        return true;
    case AC_SETSECTION:
        if (m.LParam)
            data.SetSkinSection(reinterpret_cast<const char16_t*>(m.LParam));
        return true;
    case AC_STOPFADING:
        data.StopAnimation();
        PassToGraphicChildren(data, m);
        return true;
    case AC_SETBGCHANGED:
        data.BGChanged = true;
        return true;
    case AC_INVALIDATE:
        // Data::Invalidate asks a speed button with this very command: repaint without asking again.
        data.BGChanged = true;
        if (data.OwnerWinControl())
            data.Invalidate();
        else if (data.OwnerControl())
            data.OwnerControl()->Invalidate();
        return true;
    case AC_SETCHANGEDIFNECESSARY:
        if (data.BgDependsOnPosition()) {
            data.BGChanged = true;
            if (argument == 1)
                data.Invalidate();
        }
        PassToChildren(data, m.Msg, m.WParam, m.LParam);
        return true;
    case AC_CHILDCHANGED:
        m.Result = ChildChanged(data) ? 1 : 0;
        return true;
    case AC_GETCONTROLCOLOR:
        m.Result = data.Skinned() ? SectionColorOf(data, data.CurrentState())
                                  : LRESULT(toolkit::ColorToRGB(data.OwnerControl()->Color()));
        return true;
    case AC_GETSKININDEX:
        if (m.LParam)
            *reinterpret_cast<int*>(m.LParam) = data.SkinIndex();
        return true;
    case AC_CLEARCACHE:
        if (data.FCacheBmp)
            data.FCacheBmp->SetSize(0, 0);
        data.BGChanged = true;
        if (toolkit::TWinControl* win = data.OwnerWinControl())
            for (int i = 0; i < win->ControlCount(); ++i)
                if (dynamic_cast<toolkit::TWinControl*>(win->Controls(i)))
                    win->Controls(i)->Perform(m.Msg, m.WParam, m.LParam);
        return true;
    case AC_GETBG:
        if (!m.LParam)
            return true;
        InitBGInfo(data, *reinterpret_cast<TacBGInfo*>(m.LParam), data.CurrentState());
        m.Result = 1;
        return true;
    case AC_GETSKINSTATE:
        if (m.LParam == 1)
            data.UpdateSkinState(true);
        else
            m.Result = data.CtrlSkinState;
        return true;
    case AC_PRINTING:
        data.PrintDC = reinterpret_cast<HDC>(m.LParam);
        if (data.PrintDC)
            data.CtrlSkinState |= ACS_PRINTING;
        else
            data.CtrlSkinState = WORD(data.CtrlSkinState & ~ACS_PRINTING);
        return true;
    case AC_SETSCALE:
        data.ScalePercent = int(m.LParam);
        return true;
    case AC_GETSCALE:
        m.Result = data.ScalePercent;
        return true;
    case AC_MOUSELEAVE:
        if (data.OwnerControl())
            data.OwnerControl()->Perform(toolkit::CM_MOUSELEAVE, 0, 0);
        return true;
    default:
        return false;
    }
}

} // namespace

void RestoreSavedColors(TsCommonData& data)
{
    toolkit::TControl* owner = data.OwnerControl();
    if (!owner)
        return;
    if (data.SavedColor != clNotSet)
        owner->SetColor(toolkit::TColor(data.SavedColor));
    if (data.SavedFontColor != clNotSet) {
        data.CtrlSkinState |= ACS_CHANGING;
        owner->Font()->SetColor(toolkit::TColor(data.SavedFontColor));
        data.CtrlSkinState = WORD(data.CtrlSkinState & ~ACS_CHANGING);
    }
    data.SavedColor = clNotSet;
    data.SavedFontColor = clNotSet;
}

void ApplyStateColors(TsCommonData& data, int state)
{
    const TsGeneralData* section = data.Section();
    toolkit::TControl* owner = data.OwnerControl();
    if (!section || !owner)
        return;
    const TsGenState& props = section->Props[std::size_t(SectionStateIndex(*section, state))];
    if (!data.CustomColor()) {
        if (data.SavedColor == clNotSet)
            data.SavedColor = COLORREF(owner->Color());
        owner->SetColor(toolkit::TColor(props.Color));
    }
    if (!data.CustomFont()) {
        if (data.SavedFontColor == clNotSet)
            data.SavedFontColor = COLORREF(owner->Font()->Color());
        data.CtrlSkinState |= ACS_CHANGING;
        owner->Font()->SetColor(toolkit::TColor(props.FontColor.Color));
        data.CtrlSkinState = WORD(data.CtrlSkinState & ~ACS_CHANGING);
    }
}

bool CommonWndProc(TMessage& m, TsCommonData& data)
{
    using namespace toolkit;
    switch (m.Msg) {
    case SM_VELTACMD:
        return SkinCommand(m, data);
    case CM_MOUSEENTER:
        if (m.LParam == 0)
            MouseEnter(data);
        return false;
    case CM_MOUSELEAVE:
        if (m.LParam == 0)
            MouseLeave(data);
        return false;
    case WM_SETFOCUS:
        FocusChanged(data, true);
        return false;
    case WM_KILLFOCUS:
        FocusChanged(data, false);
        return false;
    case CM_ENABLEDCHANGED:
        data.FMouseAbove = false;
        data.FFocused = false;
        data.BGChanged = true;
        if (data.OwnerControl() && !data.OwnerControl()->Enabled())
            HideGlow(data.GlowID);
        return false;
    case CM_VISIBLECHANGED:
        if (data.OwnerControl() && !data.OwnerControl()->Visible()) {
            HideGlow(data.GlowID);
            const TsSkinManager* manager = data.Manager();
            if (manager && manager->Options.OptimizingPriority == TacOptimizingPriority::opMemory) {
                if (data.FCacheBmp)
                    data.FCacheBmp->SetSize(0, 0);
                data.BGChanged = true;
                PassToChildren(data, SM_VELTACMD, AcCommand(AC_CLEARCACHE), 0);
            }
        }
        return false;
    case WM_MOVE:
        if (data.BgDependsOnPosition()) {
            data.BGChanged = true;
            data.SendCommand(AC_SETCHANGEDIFNECESSARY);
        }
        HideGlow(data.GlowID);
        return false;
    case WM_SIZE: {
        data.BGChanged = true;
        const TsGeneralData* section = data.Section();
        if (section && section->Props[0].GradientPercent > 0)
            PassToChildren(data, SM_VELTACMD, AcCommand(AC_SETBGCHANGED), 0);
        if (!(data.AnimTimer && data.AnimTimer->Running()))
            HideGlow(data.GlowID);
        return false;
    }
    default:
        return false;
    }
}

int CommonSectionIndex(const TsSkinModel* model, TacSection section)
{
    return model ? model->ConstData.Sections[std::size_t(section)] : -1;
}

} // namespace skin
