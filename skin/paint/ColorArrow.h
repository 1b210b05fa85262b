// A small solid arrow pointing down, for controls whose skin gives no arrow image.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

// Four rows, 7 pixels wide at the top, centred in r, in colour (0x00BBGGRR).
void DrawColorArrow(platform::Bitmap& bmp, platform::RECT r, int color);

} // namespace skin
