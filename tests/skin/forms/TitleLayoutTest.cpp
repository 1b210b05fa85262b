// The frame's geometry and hit codes, computed from numbers and a small skin.
#include "FormsTestSupport.h"

#include "skin/forms/TitleLayout.h"

using namespace platform;
using namespace skin;

namespace {

TitleLayoutInput MainWindowInput()
{
    TitleLayoutInput in;
    in.CaptionWidth = 400;
    in.WindowHeight = 300;
    in.BorderWidth = 3;
    in.CaptionHeight = 22;
    in.MinVisible = true;
    in.MinAllowed = true;
    in.MaxAllowed = false;
    in.MainWindow = true;
    in.BILeftMargin = 1;
    in.BIRightMargin = 3;
    in.BISpacing = 2;
    return in;
}

class TitleLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { skin_ = skintest::LoadTestSkin(formstest::MakeSkin(true)); }
    const TsSkinModel* Model() const { return skin_->Model.get(); }
    std::unique_ptr<skintest::LoadedSkin> skin_;
};

TEST_F(TitleLayoutTest, MainWindowHasCloseAndMinimiseFromTheRightWithTheSkinsMargins)
{
    const TitleLayout layout(MainWindowInput(), Model());
    EXPECT_EQ(layout.VCenter(), 11 + 1);
    const TsCaptionButton* close = layout.ButtonOf(HTCLOSE);
    const TsCaptionButton* min = layout.ButtonOf(HTMINBUTTON);
    ASSERT_TRUE(close && min);
    EXPECT_EQ(close->cpGlyphType, TacTitleGlyph::tgClose);
    EXPECT_EQ(min->cpGlyphType, TacTitleGlyph::tgMin);
    // 400 - BIRIGHT 3 - max(4, frame 3); the glyphs' own widths; centred on VCenter at the close
    // glyph's height.
    EXPECT_EQ(close->cpRect, Rect(381, 7, 393, 17));
    EXPECT_EQ(min->cpRect, Rect(370, 7, 379, 17));
    EXPECT_FALSE(layout.ButtonOf(HTMAXBUTTON)->Visible());
    EXPECT_FALSE(layout.ButtonOf(HTHELP)->Visible());
    EXPECT_EQ(layout.ButtonsLeft(), 370);
    // Text from frame + BILEFT + 4 (no icon) to the width less the buttons, their spacing and 12.
    EXPECT_EQ(layout.CaptionRect(), Rect(3 + 1 + 4, 3, 400 - (3 + 12 + 2 + 9) - 12, 25));
}

TEST_F(TitleLayoutTest, OtherWindowsHaveTheLoneCloseButtonAndTheIconMovesTheCaption)
{
    TitleLayoutInput in = MainWindowInput();
    in.MinVisible = false;
    in.MainWindow = false;
    in.ShowIcon = true;
    const TitleLayout layout(in, Model());
    const TsCaptionButton* close = layout.ButtonOf(HTCLOSE);
    EXPECT_EQ(close->cpGlyphType, TacTitleGlyph::tgCloseAlone);
    EXPECT_EQ(close->cpRect, Rect(393 - 16, 7, 393, 17));
    EXPECT_FALSE(layout.ButtonOf(HTMINBUTTON)->Visible());
    // The icon: 16 for 22 - BITOP 0, at frame + BILEFT, centred on VCenter.
    EXPECT_EQ(layout.IconRect(), Rect(4, 12 - 8, 20, 12 + 8));
    EXPECT_EQ(layout.CaptionRect().left, 3 + 16 + 1 + 4);
}

TEST_F(TitleLayoutTest, ButtonsWithoutMasksTake21PixelsAndAWindowWithoutMenuHasNone)
{
    TitleLayoutInput in = MainWindowInput();
    in.MaxVisible = true;
    in.HelpVisible = true;
    const TitleLayout bare(in, nullptr);
    EXPECT_EQ(bare.ButtonOf(HTCLOSE)->cpRect, Rect(372, 12 - 10, 393, 12 + 11));
    EXPECT_EQ(bare.ButtonOf(HTMAXBUTTON)->cpRect, Rect(349, 2, 370, 23));
    EXPECT_EQ(bare.ButtonOf(HTMINBUTTON)->cpRect, Rect(326, 2, 347, 23));
    // Six more pixels before the help button.
    EXPECT_EQ(bare.ButtonOf(HTHELP)->cpRect, Rect(297, 2, 318, 23));

    in.SystemMenu = false;
    const TitleLayout none(in, Model());
    for (const TsCaptionButton& b : none.Buttons())
        EXPECT_FALSE(b.Visible());
    EXPECT_EQ(none.HitTest(POINT{390, 10}), HTCAPTION);
}

TEST_F(TitleLayoutTest, SmallFramesUseTheSmallGlyphsAndIgnoreTheAlignment)
{
    TitleLayoutInput in = MainWindowInput();
    in.BigButtons = false;
    in.MaxVisible = true;
    in.BIVAlign = 1;
    const TitleLayout layout(in, Model());
    EXPECT_EQ(layout.ButtonOf(HTCLOSE)->cpGlyphType, TacTitleGlyph::tgSmallClose);
    EXPECT_EQ(layout.ButtonOf(HTMAXBUTTON)->cpGlyphType, TacTitleGlyph::tgSmallMax);
    // No small glyphs in this skin: 21 wide, two pixels further in, no spacing between them.
    EXPECT_EQ(layout.ButtonOf(HTCLOSE)->cpRect.right, 400 - 3 - 4 - 2);
    EXPECT_EQ(layout.ButtonOf(HTMAXBUTTON)->cpRect.right, layout.ButtonOf(HTCLOSE)->cpRect.left);
    EXPECT_EQ(layout.ButtonOf(HTCLOSE)->cpRect.top, 12 - 5);

    in.BigButtons = true;
    in.BITopMargin = 1;
    const TitleLayout aligned(in, Model());
    EXPECT_EQ(aligned.ButtonOf(HTCLOSE)->cpRect.top, 1);
    EXPECT_EQ(aligned.ButtonOf(HTMAXBUTTON)->cpGlyphType, TacTitleGlyph::tgMax);
}

TEST_F(TitleLayoutTest, GlyphsFollowTheWindowsState)
{
    TitleLayoutInput in = MainWindowInput();
    in.Maximized = true;
    in.Minimized = true;
    EXPECT_EQ(TitleLayout::GlyphFor(tbMax, in), TacTitleGlyph::tgNormal);
    // The main window's minimise button never turns into a restore button.
    EXPECT_EQ(TitleLayout::GlyphFor(tbMin, in), TacTitleGlyph::tgMin);
    in.MainWindow = false;
    EXPECT_EQ(TitleLayout::GlyphFor(tbMin, in), TacTitleGlyph::tgNormal);
    // A maximised window's title items sit 2 pixels lower.
    EXPECT_EQ(TitleLayout(in, Model()).VCenter(), 14);
}

TEST_F(TitleLayoutTest, HitCodesOfTheTitleTheFrameAndTheClient)
{
    TitleLayoutInput in = MainWindowInput();
    in.ShowIcon = true;
    const TitleLayout layout(in, Model());
    EXPECT_EQ(layout.HitTest(POINT{385, 12}), HTCLOSE);
    EXPECT_EQ(layout.HitTest(POINT{372, 8}), HTMINBUTTON);
    EXPECT_EQ(layout.HitTest(POINT{380, 12}), HTCAPTION); // the spacing between them
    EXPECT_EQ(layout.HitTest(POINT{10, 12}), HTSYSMENU);
    EXPECT_EQ(layout.HitTest(POINT{200, 5}), HTCAPTION);
    EXPECT_EQ(layout.HitTest(POINT{200, 0}), HTCAPTION); // the frame above the title is the title's
    EXPECT_EQ(layout.HitTest(POINT{200, 150}), HTCLIENT);
    EXPECT_EQ(layout.HitTest(POINT{1, 150}), HTBORDER); // a fixed frame does not size
    EXPECT_EQ(layout.HitTest(POINT{200, 298}), HTBORDER);
    EXPECT_EQ(layout.HitTest(POINT{400, 10}), HTNOWHERE);
    EXPECT_EQ(layout.HitTest(POINT{-1, 10}), HTNOWHERE);

    // Buttons the window does not allow answer as the title, so that it is dragged instead.
    in.CloseEnabled = false;
    in.MinAllowed = false;
    const TitleLayout disabled(in, Model());
    EXPECT_EQ(disabled.HitTest(POINT{385, 12}), HTCAPTION);
    EXPECT_EQ(disabled.HitTest(POINT{372, 8}), HTCAPTION);
}

TEST_F(TitleLayoutTest, AButtonTallerThanTheTitleAnswersOnlyInsideTheTitle)
{
    TitleLayoutInput in = MainWindowInput();
    in.CaptionHeight = 8; // the title band ends at row 11; a 21-pixel button reaches row 16
    const TitleLayout layout(in, nullptr);
    ASSERT_EQ(layout.ButtonOf(HTCLOSE)->cpRect.bottom, 16);
    EXPECT_EQ(layout.HitTest(POINT{385, 10}), HTCLOSE);
    EXPECT_EQ(layout.HitTest(POINT{385, 13}), HTCLIENT);
}

TEST_F(TitleLayoutTest, ASizeableFrameAnswersTheSizingCodesUnlessMaximised)
{
    TitleLayoutInput in = MainWindowInput();
    in.Sizeable = true;
    in.BorderWidth = 4;
    const TitleLayout layout(in, Model());
    EXPECT_EQ(layout.HitTest(POINT{1, 150}), HTLEFT);
    EXPECT_EQ(layout.HitTest(POINT{398, 150}), HTRIGHT);
    EXPECT_EQ(layout.HitTest(POINT{200, 1}), HTTOP);
    EXPECT_EQ(layout.HitTest(POINT{200, 298}), HTBOTTOM);
    EXPECT_EQ(layout.HitTest(POINT{1, 1}), HTTOPLEFT);
    EXPECT_EQ(layout.HitTest(POINT{398, 1}), HTTOPRIGHT);
    EXPECT_EQ(layout.HitTest(POINT{1, 298}), HTBOTTOMLEFT);
    EXPECT_EQ(layout.HitTest(POINT{398, 298}), HTBOTTOMRIGHT);
    EXPECT_EQ(layout.HitTest(POINT{10, 1}), HTTOPLEFT); // corners reach along the edges
    in.Maximized = true;
    EXPECT_EQ(TitleLayout(in, Model()).HitTest(POINT{1, 150}), HTBORDER);
}

TEST(TitleIconSize, NearestIconSizeToTheCaption)
{
    EXPECT_EQ(TitleLayout::AutoIconSize(-100), 1);
    EXPECT_EQ(TitleLayout::AutoIconSize(8), 1);
    EXPECT_EQ(TitleLayout::AutoIconSize(9), 8);
    EXPECT_EQ(TitleLayout::AutoIconSize(16), 8);
    EXPECT_EQ(TitleLayout::AutoIconSize(17), 16);
    EXPECT_EQ(TitleLayout::AutoIconSize(33), 16);
    EXPECT_EQ(TitleLayout::AutoIconSize(34), 24);
    EXPECT_EQ(TitleLayout::AutoIconSize(48), 24);
    EXPECT_EQ(TitleLayout::AutoIconSize(49), 32);
}

} // namespace
