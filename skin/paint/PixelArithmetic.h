// The pixel arithmetic of skin painting. Every blend divides by 256 with a shift while its two
// weights add up to 255 or 256, and the results are kept exactly as that arithmetic gives them:
// fades, transparency and masks all round alike because they all come through here.
#pragma once

#include "skin/model/SkinColors.h"
#include "skin/paint/CacheInfo.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

// BlendColors, the blend of two colour values, lives with the model's colour rules
// (skin/model/SkinColors.h), which need it for the palette before anything is painted.

// Every pixel of r (clipped): (pixel * alpha + color * (255 - alpha)) >> 8 per colour channel,
// alpha untouched.
void BlendColorRect(platform::Bitmap& bmp, platform::RECT r, int alpha, int color);

// Over the overlap of srcRect placed at dstPoint with dst, every channel (alpha too) becomes
// (alpha * (dst - src) + src * 256) >> 8: alpha is the weight of what dst already holds.
void SumBmpRect(platform::Bitmap& dst, const platform::Bitmap& src, int alpha, platform::RECT srcRect,
                platform::POINT dstPoint);

// A colour value with the given alpha into every pixel of r (clipped).
void FillRect32(platform::Bitmap& bmp, platform::RECT r, int color, platform::BYTE alpha = 255);

// Copies srcRect of src to (x, y) of dst, leaving out pixels equal to transColor. Where one is
// left out and updateTrans is set, the parent background goes there instead: its pixel when ci
// is ready, else its fill colour when it has one.
void CopyTransRect(platform::Bitmap& dst, const platform::Bitmap& src, int x, int y, platform::RECT srcRect,
                   int transColor, const TCacheInfo& ci, bool updateTrans);

// Copies srcRect of src onto dstRect of dst through the mask that lies maskOffset rows below the
// image: a fuchsia mask pixel is outside the shape (the parent background goes there when
// updateCorners is set and ci is ready, else dst stays), any other mask pixel m weighs each
// channel: dst = ((dst - img) * m + img * 256) >> 8. Alpha becomes 255 where painted. Sizes are
// those of dstRect; stretching is the caller's business.
void CopyByMask(platform::RECT dstRect, platform::RECT srcRect, platform::Bitmap& dst, const platform::Bitmap& src,
                int maskOffset, const TCacheInfo& ci, bool updateCorners);

// A plain copy of srcRect of src to (x, y) of dst, clipped to both.
void CopyRect32(platform::Bitmap& dst, int x, int y, const platform::Bitmap& src, platform::RECT srcRect);

// The parent background into r of dst: its pixels when ci is ready; otherwise the parent's border
// strips (ci.FillRect widths) from ci.Bmp and the rest in ci.FillColor; without a bitmap all of
// it in ci.FillColor. Nothing when ci knows nothing.
void CopyParentBG(platform::Bitmap& dst, platform::RECT r, const TCacheInfo& ci);

} // namespace skin
