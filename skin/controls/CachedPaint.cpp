#include "skin/controls/CachedPaint.h"

#include "skin/controls/CommonWndProc.h"
#include "skin/controls/TsCommonData.h"
#include "skin/effects/DoChangePaint.h"
#include "skin/effects/TacThreadedTimer.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Window.h"
#include "toolkit/TWinControl.h"

using namespace platform;

namespace skin {

bool CatchUpWithSkin(TsCommonData& data)
{
    if (!data.Skinned() && data.Model() && data.SkinIndex() < 0 && !data.Loading()) {
        data.UpdateIndexes(true);
        data.BGChanged = true;
        // Edit-like controls show their section's colours from the start.
        if (data.Skinned() && InEditCtrls(data.COC()))
            ApplyStateColors(data, data.CurrentState());
    }
    return data.Skinned();
}

bool SizeCache(TsCommonData& data)
{
    toolkit::TControl* owner = data.OwnerControl();
    if (!owner || !data.FCacheBmp || owner->Width() <= 0 || owner->Height() <= 0)
        return false;
    if (data.FCacheBmp->Width() != owner->Width() || data.FCacheBmp->Height() != owner->Height())
        data.FCacheBmp->SetSize(owner->Width(), owner->Height());
    return true;
}

bool CacheReady(TsCommonData& data, const std::function<bool()>& prepare)
{
    toolkit::TControl* owner = data.OwnerControl();
    if (!owner || !data.FCacheBmp)
        return false;
    const bool stale = data.BGChanged || data.FCacheBmp->Width() != owner->Width() ||
                       data.FCacheBmp->Height() != owner->Height();
    return !stale || prepare();
}

bool PaintFromCache(TsCommonData& data, HDC dc, const std::function<bool()>& prepare)
{
    toolkit::TControl* owner = data.OwnerControl();
    if (!owner || !data.FCacheBmp)
        return false;
    const int w = owner->Width(), h = owner->Height();
    // A running fade shows its own picture; rebuilding the cache now would cut it short.
    const bool fading = data.AnimTimer && data.AnimTimer->Running();
    RECT clip{};
    GetClipBox(dc, &clip);
    const bool partly = clip.left > 0 || clip.top > 0 || clip.right < w || clip.bottom < h;
    data.HalfVisible = partly && data.BgDependsOnPosition();
    if (!fading && (data.HalfVisible || data.BGChanged || data.FCacheBmp->Width() != w || data.FCacheBmp->Height() != h))
        if (!prepare())
            return false;
    IntersectRect(&clip, clip, RECT{0, 0, w, h});
    if (clip.IsEmpty())
        return true;
    const Bitmap* picture = PictureToShow(data);
    if (!picture || picture->IsEmpty())
        return false;
    IntersectRect(&clip, clip, RECT{0, 0, picture->Width(), picture->Height()});
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(picture));
    BitBlt(dc, clip.left, clip.top, clip.Width(), clip.Height(), src, clip.left, clip.top, SRCCOPY);
    DeleteDC(src);
    return true;
}

POINT FrameOffset(toolkit::TWinControl& control)
{
    if (!control.HandleAllocated())
        return POINT{};
    RECT window{};
    GetWindowRect(control.Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(control.Handle(), &origin);
    return POINT{origin.x - window.left, origin.y - window.top};
}

void CopyFrameFromCache(toolkit::TWinControl& control, HDC windowDC, const Bitmap& cache)
{
    const POINT origin = FrameOffset(control);
    const RECT client = control.ClientRect();
    const int saved = SaveDC(windowDC);
    ExcludeClipRect(windowDC, origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height());
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(&cache));
    BitBlt(windowDC, 0, 0, cache.Width(), cache.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    RestoreDC(windowDC, saved);
}

bool PaintWindowFromCache(TsCommonData& data, HDC dc, const std::function<bool()>& prepare)
{
    CatchUpWithSkin(data);
    if (!data.Skinned() || data.Loading())
        return false;
    if (!data.FUpdating)
        PaintFromCache(data, dc, prepare);
    return true;
}

bool PaintFrameFromCache(TsCommonData& data, toolkit::TWinControl& control, HDC windowDC,
                         const std::function<bool()>& prepare)
{
    CatchUpWithSkin(data);
    if (!data.Skinned() || data.Loading())
        return false;
    if (!data.FUpdating && CacheReady(data, prepare))
        CopyFrameFromCache(control, windowDC, *data.FCacheBmp);
    return true;
}

} // namespace skin
