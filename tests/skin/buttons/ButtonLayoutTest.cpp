// Glyph and caption placement of the skinned buttons, worked out by hand for a 107 × 36 source
// button (32 × 32 glyph, 50 × 13 caption) and a 60 × 80 button for the vertical layouts.
#include "skin/controls/ButtonLayout.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace toolkit;

namespace {

ButtonLayoutInput SourceButton(TButtonLayout layout, TAlignment alignment, int margin = -1, int spacing = 4)
{
    ButtonLayoutInput in;
    in.Client = TRect{0, 0, 107, 36};
    in.Glyph = TSize{32, 32};
    in.Caption = TSize{50, 13};
    in.Layout = layout;
    in.Alignment = alignment;
    in.Margin = margin;
    in.Spacing = spacing;
    return in;
}

ButtonLayoutInput TallButton(TButtonLayout layout, TAlignment alignment)
{
    ButtonLayoutInput in = SourceButton(layout, alignment);
    in.Client = TRect{0, 0, 60, 80};
    in.Caption = TSize{40, 13};
    return in;
}

void ExpectLayout(const ButtonLayoutInput& in, TPoint glyph, TRect caption)
{
    ButtonLayoutResult r = CalcButtonLayout(in);
    EXPECT_EQ(r.GlyphPos, glyph) << "glyph at " << r.GlyphPos.x << "," << r.GlyphPos.y;
    EXPECT_EQ(r.CaptionRect, caption) << "caption " << r.CaptionRect.left << "," << r.CaptionRect.top << " - "
                                      << r.CaptionRect.right << "," << r.CaptionRect.bottom;
}

} // namespace

TEST(CalcButtonLayout, TheSourceButtonCentresItsGlyphAndCaptionAsOneBlock)
{
    // Glyph top (36 - 32 + 1) div 2, block left (107 - (32 + 4 + 50) + 1) div 2, caption 36 further.
    ExpectLayout(SourceButton(blGlyphLeft, taCenter), {11, 2}, {47, 12, 97, 25});
}

TEST(CalcButtonLayout, GlyphLeftPlacesByAlignmentWithAMarginOfTwo)
{
    // The caption of a left-justified block reaches to the far margin.
    ExpectLayout(SourceButton(blGlyphLeft, taLeftJustify), {2, 2}, {38, 12, 105, 25});
    ExpectLayout(SourceButton(blGlyphLeft, taRightJustify), {19, 2}, {55, 12, 105, 25});
}

TEST(CalcButtonLayout, GlyphLeftWithoutAGlyphWidensTheCaptionByTheMargin)
{
    ButtonLayoutInput in = SourceButton(blGlyphLeft, taLeftJustify, 3);
    in.Glyph = TSize{};
    ExpectLayout(in, {0, 18}, {3, 12, 56, 25});
}

TEST(CalcButtonLayout, GlyphRightPutsTheCaptionFirst)
{
    ExpectLayout(SourceButton(blGlyphRight, taLeftJustify), {56, 2}, {2, 12, 52, 25});
    // Right-justified: the caption rectangle runs from the left edge to the spacing before the glyph.
    ExpectLayout(SourceButton(blGlyphRight, taRightJustify), {73, 2}, {0, 12, 69, 25});
    ExpectLayout(SourceButton(blGlyphRight, taCenter), {64, 2}, {10, 12, 60, 25});
}

TEST(CalcButtonLayout, TopAndBottomLayoutsStackTheBlockCentredAcross)
{
    // Across: glyph (60 - 32 + 1) div 2, caption (60 - 40 + 1) div 2; down: (80 - 32 - 4 - 13) div 2.
    for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
        SCOPED_TRACE(int(alignment));
        ExpectLayout(TallButton(blGlyphTop, alignment), {14, 15}, {10, 51, 50, 64});
        ExpectLayout(TallButton(blGlyphBottom, alignment), {14, 33}, {10, 16, 50, 29});
    }
}

TEST(CalcButtonLayout, MarginAndSpacingMinusOneShareTheFreeSpaceInThirds)
{
    // (107 - 82) div 3 = 8 for both.
    ExpectLayout(SourceButton(blGlyphLeft, taCenter, -1, -1), {8, 2}, {48, 12, 98, 25});
    ExpectLayout(SourceButton(blGlyphLeft, taLeftJustify, -1, -1), {8, 2}, {48, 12, 99, 25});
}

TEST(CalcButtonLayout, AGivenMarginWithSpacingMinusOneSpreadsTheRest)
{
    // Spacing ((107 - (5 + 32)) - 50) div 2 = 10.
    ExpectLayout(SourceButton(blGlyphLeft, taLeftJustify, 5, -1), {5, 2}, {47, 12, 102, 25});
    ExpectLayout(SourceButton(blGlyphLeft, taCenter, 5, -1), {7, 2}, {49, 12, 99, 25});
}

TEST(CalcButtonLayout, AButtonWithoutCaptionHasNoSpacing)
{
    ButtonLayoutInput in = SourceButton(blGlyphLeft, taCenter);
    in.Client = TRect{0, 0, 32, 32};
    in.Caption = TSize{};
    EXPECT_EQ(CalcButtonLayout(in).GlyphPos, (TPoint{0, 0}));
    in.Client = TRect{0, 0, 40, 32};
    EXPECT_EQ(CalcButtonLayout(in).GlyphPos, (TPoint{4, 0}));
}

TEST(CalcButtonLayout, RightToLeftReadingSwapsLeftAndRight)
{
    ButtonLayoutInput in = SourceButton(blGlyphLeft, taLeftJustify);
    in.RightToLeft = true;
    ExpectLayout(in, {56, 2}, {2, 12, 52, 25});
    in = SourceButton(blGlyphRight, taLeftJustify);
    in.RightToLeft = true;
    ExpectLayout(in, {2, 2}, {38, 12, 105, 25});
}

TEST(CalcButtonLayout, EverythingMovesWithTheClientRectangle)
{
    ButtonLayoutInput in = SourceButton(blGlyphLeft, taCenter);
    in.Client = TRect{3, 4, 110, 40};
    ExpectLayout(in, {14, 6}, {50, 16, 100, 29});
}

TEST(CalcButtonLayout, VerticalAlignmentTopAndBottomUseTheGivenMargin)
{
    // Away from the vertical centre a centred block keeps a margin of 2 across, not the centring one.
    ButtonLayoutInput in = SourceButton(blGlyphLeft, taCenter);
    in.VerticalAlignment = taAlignTop;
    ExpectLayout(in, {10, 0}, {46, 0, 96, 13});
    in.VerticalAlignment = taAlignBottom;
    ExpectLayout(in, {10, 4}, {46, 23, 96, 36});
    in.Margin = 3;
    in.VerticalAlignment = taAlignTop;
    ExpectLayout(in, {10, 3}, {46, 3, 96, 16});

    // A stacked layout moves as one block: its bottom (caption bottom 64) goes to 80 - 2.
    ButtonLayoutInput tall = TallButton(blGlyphTop, taCenter);
    tall.Margin = 2;
    tall.VerticalAlignment = taAlignBottom;
    ExpectLayout(tall, {14, 29}, {10, 65, 50, 78});
}

TEST(SpeedButtonGlyphPos, AlignsByItsOwnMarginRule)
{
    SpeedGlyphInput in;
    in.Width = 32;
    in.Height = 32;
    in.Glyph = TSize{32, 32};
    EXPECT_EQ(SpeedButtonGlyphPos(in), (TPoint{0, 0}));

    in.Width = 80;
    in.Height = 30;
    in.Glyph = TSize{16, 16};
    in.CaptionWidth = 30;
    in.Spacing = 4;
    EXPECT_EQ(SpeedButtonGlyphPos(in), (TPoint{15, 7})); // (80 - 16 - 4 - 30) div 2
    in.Alignment = taLeftJustify;
    in.Margin = 2;
    EXPECT_EQ(SpeedButtonGlyphPos(in).x, 5); // margin + 3
    in.Alignment = taRightJustify;
    EXPECT_EQ(SpeedButtonGlyphPos(in).x, 25); // 15 * 2 - 5
    in.Alignment = taCenter;
    in.DropDown = true;
    EXPECT_EQ(SpeedButtonGlyphPos(in).x, 7); // (64 - 50) div 2
}

TEST(MaxCaptionWidth, LeavesOutTheMarginsAndTheGlyphBeside)
{
    EXPECT_EQ(MaxCaptionWidth(107, 2, 4, blGlyphLeft, 32, true), 107 - 4 - 36);
    EXPECT_EQ(MaxCaptionWidth(107, 2, 4, blGlyphTop, 32, true), 103);
    EXPECT_EQ(MaxCaptionWidth(107, 2, 4, blGlyphRight, 0, true), 103);
    EXPECT_EQ(MaxCaptionWidth(107, 2, 4, blGlyphLeft, 32, false), 0);
    EXPECT_EQ(MaxCaptionWidth(20, 8, 4, blGlyphLeft, 32, true), 0);
}
