// The arithmetic of one scroll bar: where its thumb lies, which part of it a point falls on, and
// which scroll position a dragged thumb stands for. Lengths run along the bar from its start.
#pragma once

namespace skin {

// The scroll state of one bar, as a scroll information record holds it.
struct TacScrollInfo {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// The smallest thumb of a bar with arrows.
inline constexpr int acMinThumbSize = 16;

// The parts of a bar; the values are the scroll request codes they send.
enum TacScrollPortion {
    spNone = -1,
    spArrowBefore = 0, // left or top arrow: SB_LINELEFT / SB_LINEUP
    spArrowAfter = 1,  // right or bottom arrow: SB_LINERIGHT / SB_LINEDOWN
    spPageBefore = 2,  // track before the thumb: SB_PAGELEFT / SB_PAGEUP
    spPageAfter = 3,   // track after the thumb: SB_PAGERIGHT / SB_PAGEDOWN
    spThumb = 5,       // SB_THUMBTRACK
};

struct TacThumb {
    int Start = 0;  // from the bar's start, the first arrow included
    int Length = 0;
};

// Integer division rounded to the nearest value, halves to the even one; a zero divisor gives 0.
int RoundedDiv(long long numerator, long long denominator);

// The thumb of a bar barLength long with arrows arrowLength long.
TacThumb CalcThumb(int barLength, int arrowLength, int minThumbSize, const TacScrollInfo& si);

// Whether the bar has room for a thumb of its page at all (a bar without a valid range or too
// short for it shows only its track).
bool ThumbShown(int barLength, int arrowLength, int minThumbSize, const TacScrollInfo& si);

// Whether the bar scrolls: a range that holds more than one page.
bool RangeValid(const TacScrollInfo& si);

// The length each arrow takes: the arrow length, or half the bar when two do not fit.
int ArrowExtent(int barLength, int arrowLength);

// The portion at `along` pixels from the bar's start (the point lies across the bar).
TacScrollPortion HitTestPortion(int along, int barLength, int arrowLength, const TacThumb& thumb);

// Where a dragged thumb starts when the mouse is at `mouse` and took the thumb `grip` pixels
// after its start: kept between the two arrows.
int DraggedThumbStart(int mouse, int grip, int barLength, int arrowLength, int thumbLength);

// The scroll position of a thumb starting at thumbStart (from the bar's start), counted from nMin.
int DragPosition(int thumbStart, int barLength, int arrowLength, int thumbLength, const TacScrollInfo& si);

} // namespace skin
