// A whole section state painted into a bitmap: the background (colour, texture, gradient,
// transparency over the parent), the corner images and the border mask.
#pragma once

#include "skin/model/TsSkinModel.h"
#include "skin/paint/CacheInfo.h"
#include "skin/paint/ColorEffects.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

struct ItemPaintArgs {
    TCacheInfo CI;             // the parent background
    int State = 0;             // 0 normal, 1 hot, 2 pressed, 3...
    platform::RECT R;          // where, in the target
    platform::POINT Offset{};  // R's top-left corner lies over CI pixel (CI.X + Offset.x, CI.Y + Offset.y)
    bool UpdateCorners = false; // complete transparent border corners from CI
    int Texture = -1;          // the section's PATTERN element (state 0), -1: the state's own
    int HotTexture = -1;       // its HOTPATTERN element (states above 0)
    int CustomColor = int(platform::clNone); // the control's own colour replacing the section's; clNone: none
    TacColorEffects Effects;   // applied over the whole target after a border or an opaque state
};

// The section background of the state into args.R of target. Nothing for an invalid section,
// an empty rectangle or one not inside target.
void PaintItemBG(const TsSkinModel& model, int skinIndex, const ItemPaintArgs& args, platform::Bitmap& target);

// Background, corner images, then the border mask (unless state 0 and the mask is active-only),
// then the colour effects when a border was drawn or the state is opaque.
void PaintItem(const TsSkinModel& model, int skinIndex, const ItemPaintArgs& args, platform::Bitmap& target);

// The four corner images of the section at the corners of r.
void PaintCornerImages(const TsSkinModel& model, int skinIndex, int state, platform::RECT r, platform::Bitmap& target,
                       const TCacheInfo& ci);

} // namespace skin
