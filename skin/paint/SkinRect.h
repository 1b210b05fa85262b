// Border masks drawn in nine slices: four corners, four sides and the centre of one state image.
#pragma once

#include "skin/model/TsSkinModel.h"
#include "skin/paint/CacheInfo.h"

#include "platform/core/Bitmap.h"
#include "platform/graphics/Region.h"

#include <vector>

namespace skin {

// DrawMode bits of a border mask.
inline constexpr int BDM_STRETCH = 1;
inline constexpr int BDM_ACTIVEONLY = 2;
inline constexpr int BDM_FILL = 4;

// Border strip widths of a mask for a rectangle of the given size: a rectangle narrower than
// WL + WR takes the excess e off both sides (left WL - e div 2, right WR - (e - e div 2)), never
// below 0; the same for the height.
struct BorderWidths {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
BorderWidths FitBorderWidths(const TsMaskData& md, int width, int height);

// State image index for a mask: clamped to 0..ImageCount - 1.
int ClampImageState(const TsMaskData& md, int state);

// The border mask md of the given state into r of bmp. Corners of a mask with transparent
// corners take the parent background ci where updateCorners is set.
void DrawSkinRect(platform::Bitmap& bmp, platform::RECT r, const TCacheInfo& ci, const TsMaskData& md,
                  const TsSkinModel& model, int state, bool updateCorners);

// The same nine slices without the centre; every corner pixel that the mask leaves transparent
// is not painted but taken out of rgn (in bmp's coordinates).
void PaintRgnBorder(platform::Bitmap& bmp, platform::Region& rgn, platform::RECT r, const TsMaskData& md,
                    const TsSkinModel& model, int state);

// The transparent (fuchsia) pixels of the mask's corner pieces as they land on r, as one-pixel-high
// runs: what a window cuts out of its shape. topOnly: the two top corners only.
std::vector<platform::RECT> TransparentCornerRuns(const TsMaskData& md, const TsSkinModel& model, platform::RECT r,
                                                  int state, bool topOnly);

} // namespace skin
