// The answer to a background request (AC_GETBG): what a child finds behind itself in its parent.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "platform/graphics/DeviceContext.h"

namespace skin {

enum TacBGType { btUnknown = 0, btFill = 1, btCache = 2, btNotReady = 3 };

struct TacBGInfo {
    // The parent's finished picture (btCache, or a plain parent's border strips with btFill).
    const platform::Bitmap* Bmp = nullptr;
    platform::COLORREF Color = 0xFF00FF;
    // Where the asker's origin lies in Bmp.
    platform::POINT Offset{};
    // The asker's bounds in the parent's client coordinates.
    platform::RECT R{};
    // The widths of a plain parent's border strips (left, top, right, bottom).
    platform::RECT FillRect{};
    TacBGType BgType = btUnknown;
    // Draw the background into DrawDC instead of describing it.
    bool PleaseDraw = false;
    platform::HDC DrawDC = nullptr;
};

} // namespace skin
