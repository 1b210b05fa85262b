// Where a skinned panel writes its caption into its picture: inside its bevels and border width,
// on one line at the top or the bottom, or word-wrapped and centred between them, and placed
// across by its alignment.
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

class PanelCaptionTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        // The gradient panel: a section that is drawn through the cache, where the caption goes.
        panel_ = ShowPanels()->outer;
        ASSERT_FALSE(panel_->SkinData()->CtrlSkinState & ACS_FAST);
    }

    // The bounds of the caption's ink: the pixels of the panel's picture that differ from its
    // picture without a caption. Empty when there is none.
    RECT Ink(toolkit::TAlignment across, toolkit::TVerticalAlignment vertical, platform::StringView caption = u"Caption")
    {
        panel_->SetCaption(caption);
        panel_->SetAlignment(across);
        panel_->SetVerticalAlignment(vertical);
        panel_->SetShowCaption(false);
        EXPECT_TRUE(panel_->PrepareCache());
        const Bitmap plain = *panel_->SkinData()->FCacheBmp;
        panel_->SetShowCaption(true);
        EXPECT_TRUE(panel_->PrepareCache());
        const Bitmap& written = *panel_->SkinData()->FCacheBmp;
        RECT ink{written.Width(), written.Height(), 0, 0};
        for (int y = 0; y < written.Height(); ++y)
            for (int x = 0; x < written.Width(); ++x)
                if ((written.Pixel(x, y) & 0xFFFFFF) != (plain.Pixel(x, y) & 0xFFFFFF)) {
                    ink.left = std::min<LONG>(ink.left, x);
                    ink.top = std::min<LONG>(ink.top, y);
                    ink.right = std::max<LONG>(ink.right, x + 1);
                    ink.bottom = std::max<LONG>(ink.bottom, y + 1);
                }
        return ink.left < ink.right ? ink : RECT{};
    }

    TsPanel* panel_ = nullptr;
};

} // namespace

TEST_F(PanelCaptionTest, TopAndBottomCaptionsKeepInsideTheBevelsAndBorderWidthByTheSameAmount)
{
    using namespace toolkit;
    const RECT topLeft = Ink(taLeftJustify, taAlignTop);
    const RECT bottomRight = Ink(taRightJustify, taAlignBottom);
    ASSERT_FALSE(topLeft.IsEmpty());
    EXPECT_EQ(topLeft.Width(), bottomRight.Width());
    EXPECT_EQ(topLeft.Height(), bottomRight.Height());

    // Two bevels of 2 pixels and a border width of 3: everything moves 7 pixels inwards.
    panel_->SetBevelOuter(bvRaised);
    panel_->SetBevelInner(bvLowered);
    panel_->SetBevelWidth(2);
    panel_->SetBorderWidth(3);
    const RECT insetTopLeft = Ink(taLeftJustify, taAlignTop);
    const RECT insetBottomRight = Ink(taRightJustify, taAlignBottom);
    EXPECT_EQ(insetTopLeft.left - topLeft.left, 7);
    EXPECT_EQ(insetTopLeft.top - topLeft.top, 7);
    EXPECT_EQ(bottomRight.right - insetBottomRight.right, 7);
    EXPECT_EQ(bottomRight.bottom - insetBottomRight.bottom, 7);
}

TEST_F(PanelCaptionTest, ACentredCaptionLiesHalfWayBetweenItsTopAndBottomAndBetweenItsSides)
{
    using namespace toolkit;
    const RECT top = Ink(taLeftJustify, taAlignTop);
    const RECT bottom = Ink(taRightJustify, taAlignBottom);
    const RECT centre = Ink(taCenter, taVerticalCenter);
    ASSERT_FALSE(centre.IsEmpty());
    EXPECT_NEAR(centre.top, (top.top + bottom.top) / 2, 1);
    EXPECT_NEAR(centre.left, (top.left + bottom.left) / 2, 1);
    // Left and right alignments reach the edges, less the glyphs' own side bearings.
    EXPECT_LT(top.left, 3);
    EXPECT_GT(bottom.right, panel_->Width() - 3);
}

TEST_F(PanelCaptionTest, OnlyACentredCaptionWrapsAndAnEmptyOneWritesNothing)
{
    using namespace toolkit;
    // Some 150 characters: three lines and more in a panel 280 pixels wide.
    const String longCaption = u"one two three four five six seven eight nine ten eleven twelve thirteen fourteen "
                               u"fifteen sixteen seventeen eighteen nineteen twenty";
    const RECT top = Ink(taLeftJustify, taAlignTop, longCaption);
    const RECT wrapped = Ink(taCenter, taVerticalCenter, longCaption);
    EXPECT_GT(wrapped.Height(), 2 * top.Height()) << "the centred caption wraps, the one at the top does not";
    EXPECT_LT(wrapped.Width(), top.Width());

    EXPECT_TRUE(Ink(taCenter, taVerticalCenter, u"").IsEmpty());
}
