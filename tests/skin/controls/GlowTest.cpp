#include "ControlsTestSupport.h"

#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"

#include "platform/window/Window.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

TEST(GlowGeometryTest, TheWindowGrowsByTheMaskStripsAndShrinksByTheMargin)
{
    TsMaskData mask;
    mask.WL = 5;
    mask.WT = 4;
    mask.WR = 6;
    mask.WB = 7;
    const RECT control{100, 50, 207, 86}; // 107 x 36
    EXPECT_EQ(GlowWindowRect(control, mask, 0), (RECT{95, 46, 213, 93}));
    const RECT r = GlowWindowRect(control, mask, 2);
    EXPECT_EQ(r.left, 100 + 2 - 5);
    EXPECT_EQ(r.top, 50 + 2 - 4);
    EXPECT_EQ(r.right - r.left, 107 + 5 + 6 - 4);
    EXPECT_EQ(r.bottom - r.top, 36 + 4 + 7 - 4);
}

namespace {

class GlowTest : public ControlsFixture {
protected:
    // A windowed control of a kind that glows by itself (not a button, not a container).
    TsPanel* Hoverable(PanelsForm* form, const char16_t* section)
    {
        auto* panel = toolkit::FormTester::Make<TsPanel>(form, form->outer, u"hover", 40, 30, 107, 36);
        panel->SkinData()->SetLoading(false);
        glowing_ = std::make_unique<TsCommonData>(panel, COC_TsCustom);
        glowing_->SetSkinSection(section);
        glowing_->SetLoading(false);
        glowing_->UpdateIndexes(true);
        return panel;
    }

    void Enter() { ShowGlowingIfNeeded(*glowing_, true); }

    void TearDown() override
    {
        glowing_.reset();
        ControlsFixture::TearDown();
    }

    std::unique_ptr<TsCommonData> glowing_;
};

} // namespace

TEST_F(GlowTest, AHotControlGetsALayeredWindowAroundItThatFadesInAndOut)
{
    PanelsForm* form = ShowPanels();
    TsPanel* panel = Hoverable(form, u"SPEEDBUTTON");
    glowing_->FMouseAbove = true;
    Enter();
    ASSERT_GE(glowing_->GlowID, 0);
    EXPECT_EQ(LiveGlowCount(), 1);
    const TacGlowEffect* glow = GlowAt(glowing_->GlowID);
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(GetClassName(glow->Wnd), u"TacGlowForm");
    const DWORD ex = DWORD(GetWindowLong(glow->Wnd, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    RECT wr{};
    GetWindowRect(glow->Wnd, &wr);
    const POINT origin = panel->ClientToScreen(POINT{0, 0});
    // Mask strips of 3, margin 2: one pixel out on every side.
    EXPECT_EQ(wr, (RECT{origin.x - 1, origin.y - 1, origin.x + 108, origin.y + 37}));
    EXPECT_EQ(glow->AlphaBmp.Width(), 109);
    // It fades in from nothing over ten steps.
    EXPECT_LT(glow->Alpha, 255);
    headless::RunFor(150);
    EXPECT_EQ(GlowAt(glowing_->GlowID)->Alpha, 255);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);

    glowing_->FMouseAbove = false;
    HideGlow(*glowing_, true);
    EXPECT_EQ(LiveGlowCount(), 1);
    headless::RunFor(100);
    EXPECT_EQ(LiveGlowCount(), 1);
    EXPECT_LT(GlowAt(glowing_->GlowID)->Alpha, 255);
    headless::RunFor(300);
    EXPECT_EQ(LiveGlowCount(), 0);
    EXPECT_EQ(glowing_->GlowID, -1);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
}

TEST_F(GlowTest, NoGlowWithoutItsMaskWithACountOfZeroOrWithoutLayeredWindows)
{
    PanelsForm* form = ShowPanels();
    Hoverable(form, u"NOGLOWMASK");
    glowing_->FMouseAbove = true;
    Enter();
    EXPECT_EQ(glowing_->GlowID, -1);

    glowing_->SetSkinSection(u"GLOWZERO");
    Enter();
    EXPECT_EQ(glowing_->GlowID, -1);

    glowing_->SetSkinSection(u"SPEEDBUTTON");
    headless::Current().SetComposesLayeredWindows(false);
    Enter();
    EXPECT_EQ(glowing_->GlowID, -1);
    EXPECT_EQ(LiveGlowCount(), 0);

    headless::Current().SetComposesLayeredWindows(true);
    manager_->Effects.AllowGlowing = false;
    Enter();
    EXPECT_EQ(glowing_->GlowID, -1);
    manager_->Effects.AllowGlowing = true;
    Enter();
    EXPECT_GE(glowing_->GlowID, 0);
    // Leaving without a fade releases the window at once.
    HideGlow(glowing_->GlowID);
    EXPECT_EQ(LiveGlowCount(), 0);
}

TEST_F(GlowTest, ASkinSwitchLeavesNoGlowWindowAndNoRunningTimer)
{
    PanelsForm* form = ShowPanels();
    Hoverable(form, u"SPEEDBUTTON");
    glowing_->FMouseAbove = true;
    Enter();
    TestSpeedButton& button = *form->first;
    button.Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    button.Data.FMouseAbove = true;
    DoChangePaint(button.Data, 1, AnimStepGraphic, ChangePaintOptions{true, false});
    EXPECT_EQ(LiveGlowCount(), 2);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 2);

    manager_->SetSkinName(u"Second (internal)");
    EXPECT_EQ(LiveGlowCount(), 0);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
    EXPECT_EQ(glowing_->GlowID, -1);
    EXPECT_EQ(button.Data.GlowID, -1);
    // The button is skinned again from the new skin, with an out-of-date cache.
    EXPECT_GE(button.Data.SkinIndex(), 0);
    EXPECT_TRUE(button.Data.BGChanged);
    headless::RunFor(300);
    EXPECT_EQ(LiveGlowCount(), 0);

    Enter();
    EXPECT_EQ(LiveGlowCount(), 1);
    manager_->SetActive(false);
    EXPECT_EQ(LiveGlowCount(), 0);
    EXPECT_EQ(button.Data.SkinIndex(), -1);
}

TEST_F(GlowTest, AButtonFadeCarriesItsGlowAndOnlyOneSpeedButtonOfAParentIsHot)
{
    PanelsForm* form = ShowPanels();
    TestSpeedButton& first = *form->first;
    TestSpeedButton& second = *form->second;
    first.Perform(toolkit::CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(first.Data.FMouseAbove);
    // Buttons run their own glow: entering alone shows none.
    EXPECT_EQ(first.Data.GlowID, -1);
    second.Perform(toolkit::CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(first.Data.FMouseAbove);
    EXPECT_TRUE(second.Data.FMouseAbove);

    second.Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    DoChangePaint(second.Data, 1, AnimStepGraphic, ChangePaintOptions{true, false});
    ASSERT_GE(second.Data.GlowID, 0);
    EXPECT_EQ(GlowAt(second.Data.GlowID)->Alpha, 26);
    headless::RunFor(200);
    EXPECT_EQ(GlowAt(second.Data.GlowID)->Alpha, 255);
    second.Data.FMouseAbove = false;
    DoChangePaint(second.Data, 0, AnimStepGraphic, ChangePaintOptions{true, false});
    headless::RunFor(400);
    EXPECT_EQ(second.Data.GlowID, -1);
    EXPECT_EQ(LiveGlowCount(), 0);
}
