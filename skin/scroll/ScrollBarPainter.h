// One scroll bar composed from the skin's scroll sections: the two track parts split at the
// thumb's middle, the arrow buttons, the thumb, and the blended look of a bar that cannot scroll.
#pragma once

#include "skin/paint/CacheInfo.h"
#include "skin/scroll/ScrollGeometry.h"

#include "platform/core/Bitmap.h"

namespace skin {

class TsSkinModel;

// Everything a bar shows, in the bar's own coordinates (along its length from 0).
struct ScrollBarLook {
    bool Vertical = true;
    int ArrowLength = 0;
    // States (0 normal, 1 hot, 2 pressed) of the first and the second arrow.
    int ArrowStates[2] = {0, 0};
    // spPageBefore or spPageAfter when that track part is pressed, else spNone.
    TacScrollPortion PagePressed = spNone;
    bool ThumbVisible = false;
    TacThumb Thumb;
    int ThumbState = 0;
    // False for a bar that cannot scroll: it is blended with what lies behind it.
    bool Active = true;
    // Pressed arrows move their arrow one pixel right and down.
    bool ShiftContentOnClick = true;
};

// Whether the skin has what the bars are drawn from.
bool SkinHasScrollBars(const TsSkinModel& model);

// The bar into the whole of bmp (its size is the bar's), over the background ci.
void PaintScrollBar(const TsSkinModel& model, const ScrollBarLook& look, const TCacheInfo& ci, platform::Bitmap& bmp);

// The square between two bars: the track's normal colour (blended toward the control's colour
// when a bar is inactive), or the background without a track section.
void PaintScrollCorner(const TsSkinModel& model, bool anyInactive, int controlColor, const TCacheInfo& ci,
                       platform::Bitmap& bmp);

} // namespace skin
