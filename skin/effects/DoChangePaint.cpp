#include "skin/effects/DoChangePaint.h"

#include "skin/controls/TsCommonData.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Paint.h"
#include "toolkit/TWinControl.h"

#include <memory>

using namespace platform;

namespace skin {

namespace {

// The glow follows the fade: it takes the step's strength, and going back to normal lets it go
// once it is too faint to see.
void FollowWithGlow(TsCommonData& data, const TacThreadedTimer& t, int iteration)
{
    if (data.GlowID < 0)
        return;
    if (iteration < 0) {
        if (t.State != 1)
            HideGlow(data.GlowID);
        return;
    }
    const int v = t.CurrentValue();
    if (t.State == 0 && v < 10)
        HideGlow(data.GlowID);
    else
        SetGlowAlpha(data.GlowID, v);
}

} // namespace

bool AnimationAllowed(const TsCommonData& data)
{
    const TsSkinManager* m = data.Manager();
    return m && m->Effects.AllowAnimation && !TsSkinManager::SkinChanging() && !TsSkinManager::DrawingRestricted();
}

const Bitmap* PictureToShow(const TsCommonData& data)
{
    const TacThreadedTimer* t = data.AnimTimer.get();
    if (t && t->Running() && t->ThreadType != TT_GLOWING && !t->BmpOut.IsEmpty())
        return &t->BmpOut;
    return data.FCacheBmp.get();
}

bool AnimStepWindowed(TsCommonData& data, int)
{
    toolkit::TWinControl* win = data.OwnerWinControl();
    if (!win || !win->HandleAllocated())
        return false;
    const Bitmap* picture = PictureToShow(data);
    if (!picture || picture->IsEmpty())
        return false;
    const HWND hwnd = win->Handle();
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return false;
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(picture));
    BitBlt(dc, 0, 0, picture->Width(), picture->Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    ReleaseDC(hwnd, dc);
    return true;
}

bool AnimStepGraphic(TsCommonData& data, int)
{
    toolkit::TControl* owner = data.OwnerControl();
    if (!owner || !owner->Parent())
        return false;
    // The plain repaint: a control's own Invalidate may mark its cache stale, and a stale cache
    // would turn a reversal of this fade into a jump.
    owner->toolkit::TControl::Invalidate();
    return true;
}

bool AnimStepGlow(TsCommonData& data, int iteration)
{
    if (data.GlowID < 0 || !data.AnimTimer)
        return false;
    FollowWithGlow(data, *data.AnimTimer, iteration);
    return data.GlowID >= 0;
}

void DoChangePaint(TsCommonData& data, int newState, const TacThreadedTimer::TAnimProc& stepProc,
                   ChangePaintOptions options)
{
    const bool cacheReady = data.FCacheBmp && !data.FCacheBmp->IsEmpty() && !data.BGChanged;
    if (!AnimationAllowed(data) || !cacheReady) {
        data.StopAnimation();
        data.Invalidate();
        if (options.Glow) {
            if (data.FMouseAbove && newState == 1)
                ShowControlGlow(data, 255);
            else if (!data.FMouseAbove)
                HideGlow(data.GlowID);
        }
        return;
    }
    if (options.Glow && data.GlowID < 0)
        ShowControlGlow(data, 0);
    data.BGChanged = true;
    if (!data.AnimTimer) {
        data.AnimTimer = std::make_unique<TacThreadedTimer>(&data);
        data.AnimTimer->Glow = newState == 0 ? 255 : 0;
    }
    TacThreadedTimer& t = *data.AnimTimer;
    if (t.Running() && t.State == newState && t.ThreadType != TT_GLOWING)
        return;
    // A change in the middle of another goes on from the strength reached so far.
    t.SetEnabled(false);
    t.ThreadType = 0;
    t.BmpFrom = *data.FCacheBmp;
    data.SendCommand(AC_PREPARECACHE);
    if (!data.FCacheBmp || data.FCacheBmp->Width() != t.BmpFrom.Width() ||
        data.FCacheBmp->Height() != t.BmpFrom.Height() || data.BGChanged) {
        // The new picture could not be made now (a parent not ready, a resize): show it when it can.
        t.State = -1;
        data.Invalidate();
        return;
    }
    t.BmpTo = *data.FCacheBmp;
    t.BmpOut = t.BmpFrom;
    t.AnimRect = t.BmpFrom.BoundsRect();
    t.InitData(newState, options.Fast);
    t.AnimProc = [stepProc](TsCommonData& d, int iteration) {
        if (d.AnimTimer)
            FollowWithGlow(d, *d.AnimTimer, iteration);
        return stepProc ? stepProc(d, iteration) : true;
    };
    t.SetEnabled(true);
}

} // namespace skin
