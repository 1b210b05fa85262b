// Device contexts: a target bitmap, an origin and a clip region, plus the text state that the
// text functions read. Logical point (0, 0) lies at (origin.x, origin.y) of the target.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/Region.h"
#include "platform/core/Types.h"

#include <functional>
#include <optional>
#include <vector>

namespace platform {

class Font;
using HFONT = Font*;

enum BackgroundMode { TRANSPARENT = 1, OPAQUE = 2 };

struct DeviceContext {
    Bitmap* target = nullptr;
    POINT origin{};
    // In target coordinates; no value means the whole target.
    std::optional<Region> clip;
    HFONT font = nullptr; // nullptr: the default GUI font
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    BackgroundMode bkMode = OPAQUE;

    struct Saved {
        POINT origin;
        std::optional<Region> clip;
        HFONT font;
        COLORREF textColor, bkColor;
        BackgroundMode bkMode;
    };
    std::vector<Saved> saved;
};
using HDC = DeviceContext*;

// A device context drawing into bitmap (which must outlive it).
HDC CreateBitmapDC(Bitmap* bitmap);
void DeleteDC(HDC dc);

// Answers the saved state's level (1 for the first); RestoreDC(dc, -1) restores the latest.
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);

bool SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous);
bool GetViewportOrgEx(HDC dc, POINT* origin);

// Clipping, in logical coordinates like the platform's calls (the region passed to SelectClipRgn
// is in device coordinates, as there). A null region removes the clip.
RegionKind SelectClipRgn(HDC dc, HRGN rgn);
RegionKind IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
RegionKind ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
RegionKind GetClipBox(HDC dc, RECT* box); // logical coordinates
bool RectVisible(HDC dc, const RECT& r);

// Calls fn with each part of the logical rectangle r that is visible through the clip and lies
// inside the target, in target (device) coordinates. Every drawing primitive is built on it.
void ForEachVisibleRect(HDC dc, const RECT& r, const std::function<void(const RECT& device)>& fn);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
BackgroundMode SetBkMode(HDC dc, BackgroundMode mode);
HFONT SelectFont(HDC dc, HFONT font); // answers the previous font

} // namespace platform
