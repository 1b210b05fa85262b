// What a painter knows of the picture that lies behind the item it paints: a finished bitmap of
// the parent, or only the parent's plain colour.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

// The platform's colour constants as the int colour values the skin model keeps.
inline constexpr int clFuchsia = int(platform::clFuchsia);

// Target pixel (x, y) of a routine that takes a TCacheInfo lies over Bmp pixel (X + x, Y + y).
struct TCacheInfo {
    const platform::Bitmap* Bmp = nullptr;
    int X = 0;
    int Y = 0;
    int FillColor = clFuchsia; // clFuchsia: unknown
    // Border strips of Bmp (left, top, right, bottom widths) when only they are finished and the
    // rest is plain FillColor.
    platform::RECT FillRect{};
    bool Ready = false;

    bool HasBackground() const { return (Ready && Bmp) || FillColor != clFuchsia; }
};

// The same background seen from a point offset by (dx, dy) in the target.
inline TCacheInfo ShiftedCI(TCacheInfo ci, int dx, int dy)
{
    ci.X += dx;
    ci.Y += dy;
    return ci;
}

} // namespace skin
