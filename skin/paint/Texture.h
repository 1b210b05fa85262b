// Textures: one tile (the whole element rectangle) laid into a rectangle by its fill mode.
#pragma once

#include "skin/model/SkinRecords.h"
#include "skin/paint/CacheInfo.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

enum TacFillMode {
    fmTiled, fmStretched, fmTiledHorz, fmTiledVert, fmStretchHorzTop, fmStretchVertLeft, fmTileHorBtm,
    fmTileVertRight, fmStretchHorBtm, fmStretchVertRight, fmDisTiled, fmStretchHorz, fmStretchVert,
    fmFromBottomToTop, fmReserved1,
};

// Draws the plain texture md (its picture src) into r of dst by md.DrawMode; r becomes the part
// left uncovered, its right -1 when nothing is left.
void TileBitmap(platform::Bitmap& dst, platform::RECT& r, const platform::Bitmap& src, const TsMaskData& md);

// The same for a texture with a mask (lower half of each tile), composited over the parent
// background ci; only fill modes 0 and 10 draw (10 fills the strips no whole tile fits from ci).
// Other modes leave r as it was.
void TileMasked(platform::Bitmap& dst, platform::RECT& r, const TCacheInfo& ci, const TsMaskData& md,
                const platform::Bitmap& src);

} // namespace skin
