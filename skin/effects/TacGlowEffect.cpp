#include "skin/effects/TacGlowEffect.h"

#include "skin/controls/TsCommonData.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "skin/effects/DoChangePaint.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/ColorEffects.h"
#include "skin/paint/SkinRect.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TWinControl.h"

#include <algorithm>
#include <memory>
#include <vector>

using namespace platform;

namespace skin {

namespace {

// Entries keep their place while others come and go, so that a control's GlowID stays valid.
std::vector<std::unique_ptr<TacGlowEffect>>& GlowList()
{
    static std::vector<std::unique_ptr<TacGlowEffect>> list;
    return list;
}

LRESULT GlowFormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void RegisterGlowClass()
{
    WNDCLASS existing;
    if (GetClassInfo(nullptr, GlowFormClassName, &existing))
        return;
    WNDCLASS wc;
    wc.lpfnWndProc = GlowFormProc;
    wc.lpszClassName = GlowFormClassName;
    RegisterClass(wc);
}

// The part of the control that can be seen: its screen rectangle cut by every parent's client area.
RECT VisibleScreenRect(toolkit::TControl& control)
{
    toolkit::TWinControl* parent = control.Parent();
    RECT r = control.BoundsRect();
    if (!parent) {
        const POINT o = control.ClientToScreen(POINT{0, 0});
        return RECT{o.x, o.y, o.x + control.Width(), o.y + control.Height()};
    }
    const POINT origin = parent->ClientToScreen(POINT{0, 0});
    RECT screen{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    for (toolkit::TWinControl* p = parent; p; p = p->Parent()) {
        const POINT o = p->ClientToScreen(POINT{0, 0});
        const RECT client{o.x, o.y, o.x + p->ClientWidth(), o.y + p->ClientHeight()};
        IntersectRect(&screen, screen, client);
    }
    return screen;
}

TacColorEffects GlowEffects(const TsCommonData& data)
{
    TacColorEffects e;
    if (const auto* ctrl = dynamic_cast<const TsCtrlSkinData*>(&data)) {
        e.ColorTone = int(ctrl->ColorTone());
        e.HUEOffset = ctrl->HUEOffset();
        e.Saturation = std::clamp(ctrl->Saturation() * 255 / 100, -255, 255);
    }
    return e;
}

bool UpdateGlowWindow(TacGlowEffect& glow) { return SetGlowWindowPicture(glow.Wnd, glow.AlphaBmp, glow.Alpha); }

// Directly above the form, or top-most with a top-most form.
HWND GlowInsertAfter(HWND formWnd)
{
    if (!formWnd)
        return HWND_TOP;
    if (GetWindowLong(formWnd, GWL_EXSTYLE) & WS_EX_TOPMOST)
        return HWND_TOPMOST;
    const HWND above = GetWindow(formWnd, GW_HWNDPREV);
    return above ? above : HWND_TOP;
}

HWND FormWindowOf(toolkit::TControl* owner)
{
    toolkit::TCustomForm* form = owner ? toolkit::GetParentForm(owner) : nullptr;
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

void ReleaseGlow(TacGlowEffect& glow)
{
    glow.Destroyed = true;
    if (glow.Wnd && IsWindow(glow.Wnd))
        DestroyWindow(glow.Wnd);
    glow.Wnd = nullptr;
}

} // namespace

RECT GlowWindowRect(const RECT& glowRect, const TsMaskData& mask, int margin)
{
    const int width = glowRect.right - glowRect.left + mask.WL + mask.WR - 2 * margin;
    const int height = glowRect.bottom - glowRect.top + mask.WT + mask.WB - 2 * margin;
    const int left = glowRect.left + margin - mask.WL;
    const int top = glowRect.top + margin - mask.WT;
    return RECT{left, top, left + width, top + height};
}

bool GlowsAvailable() { return LayeredWindowsAvailable(); }

HWND CreateGlowWindow(const RECT& screenRect, const Bitmap& picture, int alpha, HWND form)
{
    RegisterGlowClass();
    const int width = screenRect.right - screenRect.left, height = screenRect.bottom - screenRect.top;
    const HWND wnd = CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                    GlowFormClassName, u"", WS_POPUP, screenRect.left, screenRect.top, width, height,
                                    nullptr, nullptr, nullptr, nullptr);
    if (!wnd)
        return nullptr;
    // The picture is in place before the window shows: it never flashes empty.
    SetGlowWindowPicture(wnd, picture, alpha);
    SetWindowPos(wnd, GlowInsertAfter(form), screenRect.left, screenRect.top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return wnd;
}

bool SetGlowWindowPicture(HWND wnd, const Bitmap& picture, int alpha)
{
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(&picture));
    const SIZE size{picture.Width(), picture.Height()};
    const POINT origin{0, 0};
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = BYTE(std::clamp(alpha, 0, 255));
    blend.AlphaFormat = AC_SRC_ALPHA;
    const bool ok = UpdateLayeredWindow(wnd, nullptr, nullptr, &size, src, &origin, 0, &blend, ULW_ALPHA);
    DeleteDC(src);
    return ok;
}

const TacGlowEffect* GlowAt(int glowID)
{
    auto& list = GlowList();
    if (glowID < 0 || glowID >= int(list.size()))
        return nullptr;
    return list[std::size_t(glowID)].get();
}

int LiveGlowCount()
{
    int n = 0;
    for (const auto& g : GlowList())
        if (g && g->Wnd && IsWindow(g->Wnd))
            ++n;
    return n;
}

int ShowGlow(TsCommonData& data, const RECT& screenRect, int alpha)
{
    const TsSkinModel* model = data.Model();
    const TsGeneralData* section = data.Section();
    if (!model || !section || !GlowsAvailable())
        return -1;
    // Another window holding the mouse (a drag, a menu) must not get a halo drawn over it.
    if (const HWND capture = GetCapture()) {
        const auto* win = data.OwnerWinControl();
        if (!win || !win->HandleAllocated() || capture != const_cast<toolkit::TWinControl*>(win)->Handle())
            return -1;
    }
    const int maskIndex = model->GetMaskIndex(data.SkinIndex(), "GLOW0");
    if (!model->IsValidImgIndex(maskIndex))
        return -1;
    const TsMaskData& mask = model->ma[std::size_t(maskIndex)];
    const RECT wr = GlowWindowRect(screenRect, mask, section->GlowMargin);
    const int width = wr.right - wr.left;
    const int height = wr.bottom - wr.top;
    if (width <= 0 || height <= 0 || !Bitmap::SizeAcceptable(width, height))
        return -1;

    auto glow = std::make_unique<TacGlowEffect>();
    glow->Margin = section->GlowMargin;
    glow->MaskIndex = maskIndex;
    glow->SkinManager = data.Manager();
    glow->SkinData = &data;
    glow->Alpha = std::clamp(alpha, 0, 255);
    glow->AlphaBmp = Bitmap(width, height);
    DrawSkinRect(glow->AlphaBmp, glow->AlphaBmp.BoundsRect(), TCacheInfo{}, mask, *model, 0, false);
    const TacColorEffects effects = GlowEffects(data);
    if (effects.Any())
        ApplyColorEffects(glow->AlphaBmp, glow->AlphaBmp.BoundsRect(), effects);

    glow->Wnd = CreateGlowWindow(wr, glow->AlphaBmp, glow->Alpha, FormWindowOf(data.OwnerControl()));
    if (!glow->Wnd)
        return -1;
    glow->OldWndProc = GlowFormProc;

    auto& list = GlowList();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!list[i]) {
            list[i] = std::move(glow);
            return int(i);
        }
    list.push_back(std::move(glow));
    return int(list.size()) - 1;
}

void SetGlowAlpha(int glowID, int alpha)
{
    auto& list = GlowList();
    if (glowID < 0 || glowID >= int(list.size()) || !list[std::size_t(glowID)])
        return;
    TacGlowEffect& glow = *list[std::size_t(glowID)];
    alpha = std::clamp(alpha, 0, 255);
    if (glow.Destroyed || !glow.Wnd || alpha == glow.Alpha)
        return;
    glow.Alpha = alpha;
    UpdateGlowWindow(glow);
}

void HideGlow(int& glowID)
{
    auto& list = GlowList();
    if (glowID >= 0 && glowID < int(list.size()) && list[std::size_t(glowID)]) {
        ReleaseGlow(*list[std::size_t(glowID)]);
        list[std::size_t(glowID)].reset();
    }
    glowID = -1;
}

void HideGlow(TsCommonData& data, bool fadeOut)
{
    if (data.GlowID < 0)
        return;
    const TacGlowEffect* glow = GlowAt(data.GlowID);
    const bool animating = data.AnimTimer && data.AnimTimer->Running();
    if (!fadeOut || !glow || animating || !AnimationAllowed(data)) {
        HideGlow(data.GlowID);
        return;
    }
    // The glow fades out alone, as a change to the normal state would.
    if (!data.AnimTimer)
        data.AnimTimer = std::make_unique<TacThreadedTimer>(&data);
    TacThreadedTimer& t = *data.AnimTimer;
    t.ThreadType = TT_GLOWING;
    t.Glow = glow->Alpha;
    t.InitData(0, false);
    t.AnimProc = AnimStepGlow;
    t.SetEnabled(true);
}

int ShowControlGlow(TsCommonData& data, int alpha)
{
    if (data.GlowID >= 0 || !data.FMouseAbove)
        return data.GlowID;
    const TsSkinManager* manager = data.Manager();
    const TsGeneralData* section = data.Section();
    if (!manager || !manager->Effects.AllowGlowing || manager->Options.NoMouseHover || !section ||
        section->GlowCount < 1 || !data.OwnerControl())
        return -1;
    if (GetAsyncKeyState(int(VK_LBUTTON)) < 0)
        return -1;
    const RECT r = VisibleScreenRect(*data.OwnerControl());
    if (r.IsEmpty())
        return -1;
    data.GlowID = ShowGlow(data, r, alpha);
    return data.GlowID;
}

void ShowGlowingIfNeeded(TsCommonData& data, bool fadeIn)
{
    if (data.GlowID >= 0)
        return;
    const bool fade = fadeIn && AnimationAllowed(data) && !(data.AnimTimer && data.AnimTimer->Running());
    if (ShowControlGlow(data, fade ? 0 : 255) < 0 || !fade)
        return;
    if (!data.AnimTimer)
        data.AnimTimer = std::make_unique<TacThreadedTimer>(&data);
    TacThreadedTimer& t = *data.AnimTimer;
    t.ThreadType = TT_GLOWING;
    t.Glow = 0;
    t.InitData(1, false);
    t.AnimProc = AnimStepGlow;
    t.SetEnabled(true);
}

void ClearGlows()
{
    auto& list = GlowList();
    for (auto& g : list)
        if (g) {
            ReleaseGlow(*g);
            if (g->SkinData) {
                if (g->SkinData->AnimTimer && g->SkinData->AnimTimer->ThreadType == TT_GLOWING)
                    g->SkinData->StopAnimation();
                g->SkinData->GlowID = -1;
            }
        }
    list.clear();
}

} // namespace skin
