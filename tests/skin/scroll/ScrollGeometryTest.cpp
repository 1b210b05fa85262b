#include "skin/scroll/ScrollGeometry.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

// A list of 95 items showing 16 at a time, scrolled to pos.
TacScrollInfo List95(int pos)
{
    TacScrollInfo si;
    si.nMin = 0;
    si.nMax = 94;
    si.nPage = 16;
    si.nPos = pos;
    return si;
}

} // namespace

TEST(ScrollThumbTest, NinetyFiveItemsWithAPageOfSixteen)
{
    // A bar 272 long with 17-pixel arrows: a track of 238, the thumb 16 x 238 / 95 = 40.08.
    const TacThumb top = CalcThumb(272, 17, acMinThumbSize, List95(0));
    EXPECT_EQ(top.Length, 40);
    EXPECT_EQ(top.Start, 17);
    // The last position (95 - 16) puts the thumb against the second arrow.
    const TacThumb bottom = CalcThumb(272, 17, acMinThumbSize, List95(79));
    EXPECT_EQ(bottom.Start + bottom.Length, 272 - 17);
    // In between it moves (pos x free track / (range - page)): 40 x 198 / 79 = 100.25.
    EXPECT_EQ(CalcThumb(272, 17, acMinThumbSize, List95(40)).Start, 17 + 100);
    // A shorter bar would give 16 x 86 / 95 = 14: the thumb keeps its minimum of 16.
    EXPECT_EQ(CalcThumb(120, 17, acMinThumbSize, List95(0)).Length, 16);
    // Without arrows the thumb is at least 19 long.
    EXPECT_EQ(CalcThumb(100, 0, acMinThumbSize, List95(0)).Length, 19);
    // A position beyond the range keeps the thumb inside the track.
    const TacThumb beyond = CalcThumb(272, 17, acMinThumbSize, List95(500));
    EXPECT_EQ(beyond.Start + beyond.Length, 272 - 17);
}

TEST(ScrollThumbTest, ShownOnlyWithARangeAndRoomForIt)
{
    EXPECT_TRUE(ThumbShown(272, 17, acMinThumbSize, List95(0)));
    EXPECT_TRUE(RangeValid(List95(0)));
    // A page that holds everything: no range to scroll, and no thumb.
    TacScrollInfo all = List95(0);
    all.nMax = 10;
    EXPECT_FALSE(RangeValid(all));
    EXPECT_FALSE(ThumbShown(272, 17, acMinThumbSize, all));
    // One value only: nothing to divide by, no thumb.
    TacScrollInfo one = List95(0);
    one.nMax = 0;
    EXPECT_FALSE(ThumbShown(272, 17, acMinThumbSize, one));
    // A bar shorter than its two arrows has no track for a thumb.
    EXPECT_FALSE(ThumbShown(30, 17, acMinThumbSize, List95(0)));
}

TEST(ScrollHitTestTest, PortionsAlongTheBar)
{
    const TacThumb thumb = CalcThumb(272, 17, acMinThumbSize, List95(40)); // 117 .. 157
    EXPECT_EQ(HitTestPortion(0, 272, 17, thumb), spArrowBefore);
    EXPECT_EQ(HitTestPortion(16, 272, 17, thumb), spArrowBefore);
    EXPECT_EQ(HitTestPortion(17, 272, 17, thumb), spPageBefore);
    EXPECT_EQ(HitTestPortion(116, 272, 17, thumb), spPageBefore);
    EXPECT_EQ(HitTestPortion(117, 272, 17, thumb), spThumb);
    EXPECT_EQ(HitTestPortion(156, 272, 17, thumb), spThumb);
    EXPECT_EQ(HitTestPortion(157, 272, 17, thumb), spPageAfter);
    EXPECT_EQ(HitTestPortion(255, 272, 17, thumb), spArrowAfter);
    EXPECT_EQ(HitTestPortion(272, 272, 17, thumb), spNone);
    EXPECT_EQ(HitTestPortion(-1, 272, 17, thumb), spNone);
    // Shorter than two arrows: two half-length arrows and nothing between them.
    const TacThumb cramped = CalcThumb(30, 17, acMinThumbSize, List95(0));
    EXPECT_EQ(ArrowExtent(30, 17), 15);
    EXPECT_EQ(HitTestPortion(14, 30, 17, cramped), spArrowBefore);
    EXPECT_EQ(HitTestPortion(15, 30, 17, cramped), spArrowAfter);
}

TEST(ScrollDragTest, TheThumbReachesEachEndAndNoFurther)
{
    const TacScrollInfo si = List95(0);
    // Dragged far past either end, the thumb stops at the arrows.
    EXPECT_EQ(DraggedThumbStart(-500, 10, 272, 17, 40), 17);
    EXPECT_EQ(DraggedThumbStart(5000, 10, 272, 17, 40), 272 - 17 - 40);
    // There it stands for the first and the last position (nMax - nPage + 1).
    EXPECT_EQ(DragPosition(17, 272, 17, 40, si), 0);
    EXPECT_EQ(DragPosition(272 - 17 - 40, 272, 17, 40, si), 79);
    // Half way: 99 of 198 pixels is 39.5 positions, rounded to the even 40.
    EXPECT_EQ(DragPosition(17 + 99, 272, 17, 40, si), 40);
    // A thumb that fills its track cannot divide by its free room.
    EXPECT_EQ(DragPosition(17, 57, 17, 23, si), 0);
}

TEST(ScrollDragTest, RoundingHalvesToEven)
{
    EXPECT_EQ(RoundedDiv(5, 2), 2);
    EXPECT_EQ(RoundedDiv(7, 2), 4);
    EXPECT_EQ(RoundedDiv(-5, 2), -2);
    EXPECT_EQ(RoundedDiv(10, 4), 2);
    EXPECT_EQ(RoundedDiv(11, 4), 3);
    EXPECT_EQ(RoundedDiv(3, 0), 0);
}
