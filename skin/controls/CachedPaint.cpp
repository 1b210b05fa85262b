#include "skin/controls/CachedPaint.h"

#include "skin/controls/TsCommonData.h"
#include "skin/effects/DoChangePaint.h"
#include "skin/effects/TacThreadedTimer.h"

#include "platform/graphics/Gdi.h"
#include "toolkit/TControl.h"

using namespace platform;

namespace skin {

bool SizeCache(TsCommonData& data)
{
    toolkit::TControl* owner = data.OwnerControl();
    if (!owner || !data.FCacheBmp || owner->Width() <= 0 || owner->Height() <= 0)
        return false;
    if (data.FCacheBmp->Width() != owner->Width() || data.FCacheBmp->Height() != owner->Height())
        data.FCacheBmp->SetSize(owner->Width(), owner->Height());
    return true;
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

} // namespace skin
