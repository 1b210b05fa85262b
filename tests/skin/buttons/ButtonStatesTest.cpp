// The state rules of the skinned buttons: which state a button is in, which picture of its
// section that shows, and which glyph image, grey or not.
#include "skin/controls/ButtonStates.h"

#include <gtest/gtest.h>

using namespace skin;

TEST(BitBtnState, APushCountsOnlyWithThePointerAboveUnlessNoMouseButtonIsHeld)
{
    WindowedButtonFacts f;
    f.Pushed = true;
    f.LeftButtonHeld = true;
    EXPECT_EQ(BitBtnState(f), 0); // dragged off while held
    f.MouseAbove = true;
    EXPECT_EQ(BitBtnState(f), 2);
    f.MouseAbove = false;
    f.LeftButtonHeld = false; // the space bar
    EXPECT_EQ(BitBtnState(f), 2);
    f.LeftButtonHeld = true;
    f.NoMouseHover = true;
    EXPECT_EQ(BitBtnState(f), 2);
}

TEST(BitBtnState, DownBeatsHotAndHotBeatsDefault)
{
    WindowedButtonFacts f;
    f.Default = true;
    f.Active = true;
    EXPECT_EQ(BitBtnState(f), 1);
    f.Down = true;
    EXPECT_EQ(BitBtnState(f), 2);
    f.Down = false;
    f.Designing = true;
    EXPECT_EQ(BitBtnState(f), 3);
}

TEST(BitBtnState, TheDefaultButtonRestsInStateThreeUnlessAnotherOwnerDrawnButtonHasTheFocus)
{
    WindowedButtonFacts f;
    EXPECT_EQ(BitBtnState(f), 0);
    f.Default = true;
    EXPECT_EQ(BitBtnState(f), 3);
    f.FocusOnOwnerDrawnButton = true;
    EXPECT_EQ(BitBtnState(f), 0);
    // A push button's default look does not depend on the focus.
    EXPECT_EQ(PushButtonState(f), 3);
    f.DroppedDown = true;
    EXPECT_EQ(PushButtonState(f), 2);
    EXPECT_EQ(BitBtnState(f), 0);
}

TEST(SectionState, TheDefaultButtonShowsTheHotPictureWithoutAFourthState)
{
    EXPECT_EQ(SectionState(3, 3), 1);
    EXPECT_EQ(SectionState(3, 4), 3);
    EXPECT_EQ(SectionState(2, 2), 1);
    EXPECT_EQ(SectionState(2, 3), 2);
    EXPECT_EQ(SectionState(1, 1), 0);
    EXPECT_EQ(SectionState(0, 3), 0);
}

TEST(SpeedButtonState, PressedByStateOrMenuHotByTrackingOrOwnerMode)
{
    SpeedButtonFacts f;
    EXPECT_EQ(SpeedButtonState(f), 0);
    f.HotState = true;
    EXPECT_EQ(SpeedButtonState(f), 1);
    f.State = toolkit::bsExclusive;
    EXPECT_EQ(SpeedButtonState(f), 2);
    f = SpeedButtonFacts{};
    f.MenuShown = true;
    EXPECT_EQ(SpeedButtonState(f), 2);
    f.MenuOwnerMode = true;
    EXPECT_EQ(SpeedButtonState(f), 1);
    f = SpeedButtonFacts{};
    f.State = toolkit::bsDown;
    EXPECT_EQ(SpeedButtonState(f), 2);
}

TEST(GlyphImageIndex, FollowsTheStateOrThePlatformOrder)
{
    EXPECT_EQ(GlyphImageIndex(2, 1, false, true), 0);
    EXPECT_EQ(GlyphImageIndex(2, 4, false, true), 2);
    EXPECT_EQ(GlyphImageIndex(3, 2, false, true), 1);
    // Up, disabled, down, exclusive.
    EXPECT_EQ(GlyphImageIndex(1, 4, true, true), 0);
    EXPECT_EQ(GlyphImageIndex(2, 3, true, true), 2);
    EXPECT_EQ(GlyphImageIndex(2, 2, true, true), 0);
    EXPECT_EQ(GlyphImageIndex(0, 2, true, false), 1);
    EXPECT_EQ(GlyphImageIndex(0, 1, true, false), 0);
}

TEST(GlyphGrayed, BitButtonsGreyAtRestOnlyUnlessDisabledWithAGreyGlyphKind)
{
    GlyphGrayFacts f;
    EXPECT_FALSE(BitBtnGlyphGrayed(f));
    f.Grayed = true;
    EXPECT_TRUE(BitBtnGlyphGrayed(f));
    f.State = 1;
    EXPECT_FALSE(BitBtnGlyphGrayed(f));
    f = GlyphGrayFacts{};
    f.Enabled = false;
    EXPECT_FALSE(BitBtnGlyphGrayed(f)); // the default disabled look blends, it does not grey
    f.DisabledKind = dkGrayed;
    EXPECT_TRUE(BitBtnGlyphGrayed(f));
    f.State = 2;
    EXPECT_FALSE(BitBtnGlyphGrayed(f));
    f.DisabledGlyphKind = TacDisabledGlyphKind{dgGrayed};
    EXPECT_TRUE(BitBtnGlyphGrayed(f));
}

TEST(GlyphGrayed, SpeedButtonsGreyEveryStateInModeAlways)
{
    GlyphGrayFacts f;
    f.State = 1;
    EXPECT_FALSE(SpeedButtonGlyphGrayed(f, gmAlways));
    f.Grayed = true;
    EXPECT_FALSE(SpeedButtonGlyphGrayed(f, gmInactive));
    EXPECT_TRUE(SpeedButtonGlyphGrayed(f, gmAlways));
    f = GlyphGrayFacts{};
    f.Enabled = false;
    f.State = 2;
    f.DisabledKind = dkGrayed;
    EXPECT_TRUE(SpeedButtonGlyphGrayed(f, gmInactive));
}
