#include "skin/scroll/ScrollGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

int RoundedDiv(long long numerator, long long denominator)
{
    if (denominator == 0)
        return 0;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    long long q = numerator / denominator;
    long long r = numerator % denominator;
    if (r < 0) {
        --q;
        r += denominator;
    }
    // r now lies in [0, denominator): round up past the half, and at the half to the even value.
    if (2 * r > denominator || (2 * r == denominator && (q & 1) != 0))
        ++q;
    return int(q);
}

TacThumb CalcThumb(int barLength, int arrowLength, int minThumbSize, const TacScrollInfo& si)
{
    const int track = barLength - 2 * arrowLength;
    const long long range = (long long)si.nMax - si.nMin + 1;
    int t = 0;
    if (si.nPage == 0)
        t = std::max(arrowLength, minThumbSize);
    else if (range > 0)
        t = RoundedDiv((long long)si.nPage * track, range);
    // Without arrows a thumb of the minimum would be hard to take; it gets a fixed length.
    if (arrowLength == 0 && t < 19)
        t = 19;
    else
        t = std::max(t, minThumbSize);
    int p = 0;
    if (range > 0) {
        const long long divisor = range - std::max(1, si.nPage);
        p = RoundedDiv(((long long)si.nPos - si.nMin) * (track - t), divisor);
        p = std::clamp(p, 0, std::max(0, track - t));
    }
    return TacThumb{arrowLength + p, t};
}

bool RangeValid(const TacScrollInfo& si)
{
    return si.nMax >= si.nPage && si.nMin < si.nMax && si.nMax != 0;
}

bool ThumbShown(int barLength, int arrowLength, int minThumbSize, const TacScrollInfo& si)
{
    const int track = barLength - 2 * arrowLength;
    // A single-valued range has no page to show (and would divide by zero).
    if (si.nMax - si.nMin <= 0 || track <= 0)
        return false;
    long long c = (long long)si.nPage * track / (si.nMax - si.nMin);
    if (c < minThumbSize || c < track - 1)
        c = std::min(minThumbSize, track - 1);
    return c > 0 && c <= track;
}

int ArrowExtent(int barLength, int arrowLength)
{
    return 2 * arrowLength < barLength ? arrowLength : barLength / 2;
}

TacScrollPortion HitTestPortion(int along, int barLength, int arrowLength, const TacThumb& thumb)
{
    const int e = ArrowExtent(barLength, arrowLength);
    if (along < 0 || along >= barLength)
        return spNone;
    if (along < e)
        return spArrowBefore;
    if (along >= barLength - e)
        return spArrowAfter;
    if (thumb.Length >= barLength - 2 * arrowLength)
        return spNone;
    if (along >= thumb.Start && along < thumb.Start + thumb.Length)
        return spThumb;
    if (along < thumb.Start)
        return spPageBefore;
    return spPageAfter;
}

int DraggedThumbStart(int mouse, int grip, int barLength, int arrowLength, int thumbLength)
{
    const int last = std::max(arrowLength, barLength - arrowLength - thumbLength);
    return std::clamp(mouse - grip, arrowLength, last);
}

int DragPosition(int thumbStart, int barLength, int arrowLength, int thumbLength, const TacScrollInfo& si)
{
    const int offset = thumbStart - arrowLength;
    if (si.nMax - si.nMin < 1)
        return offset;
    const int free = barLength - 2 * arrowLength - thumbLength;
    return RoundedDiv((long long)offset * (si.nMax - si.nMin - si.nPage + 1), free);
}

} // namespace skin
