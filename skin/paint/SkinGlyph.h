// Glyph images of the skin (corner images, check marks, title glyphs) and 32-bit alpha glyphs of
// buttons.
#pragma once

#include "skin/model/TsSkinModel.h"
#include "skin/paint/CacheInfo.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

// Image `state` (clamped to the mask's images) of md with its top-left corner at p. Images with
// a mask (or from a picture of their own) are blended through it; master-bitmap images without
// one are copied with fuchsia transparency, or at half strength when translucent.
void DrawSkinGlyph(platform::Bitmap& dst, platform::POINT p, int state, bool translucent, const TsMaskData& md,
                   const TsSkinModel& model, const TCacheInfo& ci = {});

// srcRect of src blended onto dst at p through its mask maskOffset rows below, or, with
// maskOffset 0, by the picture's own alpha: skin pictures with alpha are kept premultiplied
// (opaque ones equally so), so the platform's premultiplied blend applies. translucent draws at
// half strength. Fuchsia image pixels are skipped.
void BlendGlyphByMask(platform::Bitmap& dst, platform::POINT p, const platform::Bitmap& src,
                      platform::RECT srcRect, int maskOffset, bool translucent);

// A 32-bit glyph with straight alpha into a cache: dst = ((src - dst) * w + dst * 256) >> 8 per
// colour channel, w = alpha * (100 - blend) / 100. With blend 0 the destination alpha becomes
// the larger of both alphas.
void DrawAlphaGlyph(platform::Bitmap& dst, platform::POINT p, const platform::Bitmap& glyph,
                    platform::RECT srcRect, int blend);

// True when every alpha byte of r in bmp is 0: such a glyph is meant as an opaque picture.
bool AlphaIsEmpty(const platform::Bitmap& bmp, platform::RECT r);

} // namespace skin
