// The look of a disabled control: its state-0 picture greyed and/or mixed with what lies behind.
#pragma once

#include "skin/paint/CacheInfo.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

enum TacDisabledKindFlag { dkBlended = 1, dkGrayed = 2 };
using TacDisabledKind = int; // a set of TacDisabledKindFlag bits

inline constexpr int DefBlendDisabled = 100;       // of 256 for the control's picture
inline constexpr int DefDisabledSaturation = -90; // percent

// r of bmp changed by the kind: dkGrayed lowers the saturation of every non-fuchsia pixel,
// dkBlended mixes the picture with the parent background at the same place (ci, target pixel
// (x, y) over ci.Bmp (ci.X + x, ci.Y + y)), the picture keeping DefBlendDisabled: from the
// parent's picture (its fuchsia pixels left out) when ci is ready, else with its fill colour.
void BmpDisabledKind(platform::Bitmap& bmp, TacDisabledKind kind, const TCacheInfo& ci, platform::RECT r);

} // namespace skin
