// A region: a set of pixels kept as y-x banded rectangles (sorted by top, then left; no overlaps),
// as the platform's regions are.
#pragma once

#include "platform/core/Types.h"

#include <vector>

namespace platform {

enum RegionCombine { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Results of region operations.
enum RegionKind { ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    static Region FromRects(const std::vector<RECT>& rects); // any rectangles, overlapping or not
    // An ellipse-cornered rectangle, corner ellipse of width x height (CreateRoundRectRgn): a
    // corner pixel belongs to it when its centre lies inside the corner's ellipse. It never leaves
    // r; ellipses under 2 pixels give r itself, and corner ellipses are capped at 65536 pixels.
    static Region RoundRect(const RECT& r, int ellipseWidth, int ellipseHeight);

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    RECT Box() const;
    bool Contains(POINT p) const;
    bool Intersects(const RECT& r) const;
    RegionKind Kind() const;

    Region Intersected(const Region& other) const;
    Region United(const Region& other) const;
    Region Subtracted(const Region& other) const;
    Region Xored(const Region& other) const;
    void Offset(LONG dx, LONG dy); // coordinates saturate at the ends of the range instead of wrapping

    friend bool operator==(const Region&, const Region&) = default;

private:
    // Takes rectangles already banded and canonical.
    static Region FromBanded(std::vector<RECT> rects);

    std::vector<RECT> rects_;
};

// Handle-based API over Region, for code written against the platform's calls.
using HRGN = Region*;
HRGN CreateRectRgn(LONG left, LONG top, LONG right, LONG bottom);
HRGN CreateRectRgnIndirect(const RECT& r);
// Like the platform's, the rounded region leaves out the right column and bottom row of the
// rectangle it is given.
HRGN CreateRoundRectRgn(LONG left, LONG top, LONG right, LONG bottom, int ellipseWidth, int ellipseHeight);
void DeleteRgn(HRGN rgn);
// dst may be src1 or src2. Answers the kind of the result.
RegionKind CombineRgn(HRGN dst, HRGN src1, HRGN src2, RegionCombine mode);
RegionKind OffsetRgn(HRGN rgn, LONG dx, LONG dy);
bool PtInRegion(HRGN rgn, LONG x, LONG y);
RegionKind GetRgnBox(HRGN rgn, RECT* box);
std::vector<RECT> GetRegionRects(HRGN rgn);

} // namespace platform
