#include "skin/controls/ParentBackground.h"

#include "skin/controls/TsCommonData.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/ColorEffects.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinRect.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Window.h"
#include "toolkit/Colors.h"
#include "toolkit/TWinControl.h"

using namespace platform;

namespace skin {

namespace {

// Where the client area of a windowed control lies inside its window (a frame drawn around it).
POINT ClientOffset(toolkit::TControl& control)
{
    auto* win = dynamic_cast<toolkit::TWinControl*>(&control);
    if (!win || !win->HandleAllocated())
        return POINT{};
    RECT window{};
    GetWindowRect(win->Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(win->Handle(), &client);
    return POINT{client.x - window.left, client.y - window.top};
}

// Nothing but a colour: no gradient, no texture, no corner images, no outer effects.
bool IsPlainSection(const TsCommonData& data, const TsGeneralData& section, int state)
{
    const TsGenState& p = section.Props[std::size_t(SectionStateIndex(section, state))];
    const bool texture = p.ImagePercent > 0;
    const bool gradient = p.GradientPercent > 0 && !p.GradientArray.empty();
    const bool corners = section.ImgTL >= 0 || section.ImgTR >= 0 || section.ImgBL >= 0 || section.ImgBR >= 0;
    return !texture && !gradient && !corners && data.OuterEffects().Visibility() == ovNone;
}

bool CacheFits(const TsCommonData& data)
{
    const toolkit::TControl* owner = data.OwnerControl();
    return owner && data.FCacheBmp && !data.BGChanged && data.FCacheBmp->Width() == owner->Width() &&
           data.FCacheBmp->Height() == owner->Height() && !data.FCacheBmp->IsEmpty();
}

// Rebuilds the cache when it is missing, stale or of another size; answers whether it fits now.
bool EnsureCache(TsCommonData& data)
{
    if (CacheFits(data))
        return true;
    if (data.CtrlSkinState & ACS_BGRECEIVING)
        return false; // asked again while building: the picture cannot depend on itself
    data.CtrlSkinState |= ACS_BGRECEIVING;
    data.SendCommand(AC_PREPARECACHE);
    data.CtrlSkinState = WORD(data.CtrlSkinState & ~ACS_BGRECEIVING);
    return CacheFits(data);
}

TacColorEffects EffectsOf(const TsCommonData& data)
{
    TacColorEffects e;
    if (const auto* ctrl = dynamic_cast<const TsCtrlSkinData*>(&data)) {
        e.ColorTone = int(ctrl->ColorTone());
        e.HUEOffset = ctrl->HUEOffset();
        e.Saturation = ctrl->Saturation();
    }
    return e;
}

void DrawAnswer(const TacBGInfo& info)
{
    const int w = info.R.right - info.R.left;
    const int h = info.R.bottom - info.R.top;
    if (info.BgType == btCache && info.Bmp) {
        HDC src = CreateBitmapDC(const_cast<Bitmap*>(info.Bmp));
        BitBlt(info.DrawDC, 0, 0, w, h, src, info.Offset.x, info.Offset.y, SRCCOPY);
        DeleteDC(src);
    } else if (info.BgType == btFill) {
        FillSolidRect(info.DrawDC, RECT{0, 0, w, h}, COLORREF(info.Color));
    }
}

} // namespace

int GetControlColor(toolkit::TControl* control)
{
    if (!control)
        return clFuchsia;
    const LRESULT skinned = control->Perform(SM_VELTACMD, AcCommand(AC_CTRLHANDLED), 0);
    if (skinned == 1) {
        auto* data = reinterpret_cast<TsCommonData*>(control->Perform(SM_VELTACMD, AcCommand(AC_GETSKINDATA), 0));
        if (data && data->Skinned())
            return int(control->Perform(SM_VELTACMD, AcCommand(AC_GETCONTROLCOLOR), 0));
    }
    return int(toolkit::ColorToRGB(control->Color()));
}

int SectionColorOf(TsCommonData& data, int state)
{
    const TsSkinModel* model = data.Model();
    toolkit::TControl* owner = data.OwnerControl();
    if (!model || !data.Section())
        return owner ? int(toolkit::ColorToRGB(owner->Color())) : clFuchsia;
    const int custom = data.CustomColor() && owner ? int(toolkit::ColorToRGB(owner->Color())) : clNone;
    int parentColor = clFuchsia;
    const TsGeneralData& section = *data.Section();
    const int s = SectionStateIndex(section, state);
    if (section.Props[std::size_t(s)].Transparency > 0)
        parentColor = owner && owner->Parent() ? GetControlColor(owner->Parent()) : model->GetGlobalColor();
    return SectionColor(*model, data.SkinIndex(), state, parentColor, custom);
}

void InitBGInfo(TsCommonData& data, TacBGInfo& info, int state)
{
    toolkit::TControl* owner = data.OwnerControl();
    const TsSkinModel* model = data.Model();
    const TsGeneralData* section = data.Section();
    if (!owner || !model || !section || data.CustomColor()) {
        info.BgType = btFill;
        info.Color = owner ? toolkit::ColorToRGB(owner->Color()) : 0xFF00FF;
    } else if (section->Props[std::size_t(SectionStateIndex(*section, state))].Transparency == 100) {
        // A see-through parent keeps no picture of its own: the question goes one level up.
        if (toolkit::TWinControl* up = owner->Parent()) {
            const POINT client = ClientOffset(*owner);
            TacBGInfo forwarded = info;
            OffsetRect(&forwarded.R, owner->Left() + client.x, owner->Top() + client.y);
            forwarded.PleaseDraw = false;
            up->Perform(SM_VELTACMD, AcCommand(AC_GETBG), reinterpret_cast<LPARAM>(&forwarded));
            if (forwarded.BgType == btUnknown) {
                forwarded.BgType = btFill;
                forwarded.Color = toolkit::ColorToRGB(up->Color());
            }
            info.Bmp = forwarded.Bmp;
            info.Color = forwarded.Color;
            info.Offset = forwarded.Offset;
            info.FillRect = forwarded.FillRect;
            info.BgType = forwarded.BgType;
        } else {
            info.BgType = btFill;
            info.Color = COLORREF(model->GetGlobalColor());
        }
    } else if (IsPlainSection(data, *section, state)) {
        info.BgType = btFill;
        info.Color = COLORREF(SectionColorOf(data, state));
        info.Bmp = nullptr;
        if (model->IsValidImgIndex(data.BorderIndex)) {
            const TsMaskData& mask = model->ma[std::size_t(data.BorderIndex)];
            if (!(mask.DrawMode & BDM_ACTIVEONLY) && EnsureCache(data)) {
                const POINT client = ClientOffset(*owner);
                info.Bmp = data.FCacheBmp.get();
                info.Offset = POINT{info.R.left + client.x, info.R.top + client.y};
                info.FillRect = RECT{mask.WL, mask.WT, mask.WR, mask.WB};
            }
        }
    } else if (EnsureCache(data)) {
        const POINT client = ClientOffset(*owner);
        info.BgType = btCache;
        info.Bmp = data.FCacheBmp.get();
        info.Offset = POINT{info.R.left + client.x, info.R.top + client.y};
    } else {
        info.BgType = btNotReady;
        data.FUpdating = true;
    }
    if (info.PleaseDraw && info.DrawDC)
        DrawAnswer(info);
}

TacBGInfo GetBGInfo(toolkit::TControl& control)
{
    TacBGInfo info;
    info.R = control.BoundsRect();
    toolkit::TWinControl* parent = control.Parent();
    if (!parent) {
        info.BgType = btFill;
        info.Color = toolkit::ColorToRGB(control.Color());
        return info;
    }
    parent->Perform(SM_VELTACMD, AcCommand(AC_GETBG), reinterpret_cast<LPARAM>(&info));
    if (info.BgType == btUnknown) {
        info.BgType = btFill;
        info.Color = toolkit::ColorToRGB(parent->Color());
    }
    return info;
}

TCacheInfo BGInfoToCI(const TacBGInfo& info)
{
    TCacheInfo ci;
    ci.Bmp = info.Bmp;
    ci.X = info.Offset.x;
    ci.Y = info.Offset.y;
    ci.FillColor = info.BgType == btFill ? int(info.Color) : clFuchsia;
    ci.FillRect = info.FillRect;
    ci.Ready = info.BgType == btCache && info.Bmp;
    return ci;
}

bool PaintSkinControl(TsCommonData& data, Bitmap& target, int state)
{
    const TsSkinModel* model = data.Model();
    toolkit::TControl* owner = data.OwnerControl();
    if (!model || !data.Section() || !owner || target.IsEmpty())
        return false;
    const TacBGInfo info = GetBGInfo(*owner);
    if (info.BgType == btNotReady) {
        data.FUpdating = true;
        return false;
    }
    ItemPaintArgs args;
    args.CI = BGInfoToCI(info);
    args.State = state;
    args.R = target.BoundsRect();
    args.UpdateCorners = true;
    args.Texture = data.Texture;
    args.HotTexture = data.HotTexture;
    if (data.CustomColor())
        args.CustomColor = int(toolkit::ColorToRGB(owner->Color()));
    PaintItemBG(*model, data.SkinIndex(), args, target);
    bool border = false;
    if (model->IsValidImgIndex(data.BorderIndex)) {
        const TsMaskData& mask = model->ma[std::size_t(data.BorderIndex)];
        if (!(state == 0 && (mask.DrawMode & BDM_ACTIVEONLY))) {
            DrawSkinRect(target, args.R, args.CI, mask, *model, state, true);
            border = true;
        }
    }
    PaintCornerImages(*model, data.SkinIndex(), state, args.R, target, args.CI);
    const TsGeneralData& section = *data.Section();
    const bool opaque = section.Props[std::size_t(SectionStateIndex(section, state))].Transparency == 0;
    const TacColorEffects effects = EffectsOf(data);
    if ((border || opaque) && effects.Any())
        ApplyColorEffects(target, args.R, effects);
    return true;
}

} // namespace skin
