#include "ControlsTestSupport.h"

#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

class StatesTest : public ControlsFixture {
protected:
    TestEdit* EditOn(PanelsForm* form, const char16_t* section)
    {
        auto* edit = toolkit::FormTester::Make<TestEdit>(form, form->outer, u"edit", 20, 130, 80, 22);
        edit->Data.SetLoading(false);
        edit->Data.SetSkinSection(section);
        return edit;
    }
};

} // namespace

TEST_F(StatesTest, AnEditTakesItsHotColoursWithTheFocusOnlyWhenItsSectionHasAHotState)
{
    PanelsForm* form = ShowPanels();
    TestEdit* edit = EditOn(form, u"EDITLIKE");
    edit->SetFocus();
    tester_->Pump();
    EXPECT_TRUE(edit->Data.FFocused);
    EXPECT_EQ(edit->Color(), toolkit::TColor(2236962));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(4473924));
    // Hovering does not make an edit hot here: hot edits are not allowed.
    edit->Data.FMouseAbove = false;
    auto* other = toolkit::FormTester::Make<TestEdit>(form, form->outer, u"other", 120, 130, 80, 22);
    other->SetFocus();
    tester_->Pump();
    EXPECT_FALSE(edit->Data.FFocused);
    EXPECT_EQ(edit->Color(), toolkit::TColor(1118481));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(3355443));

    edit->Data.SetSkinSection(u"ONESTATE");
    ApplyStateColors(edit->Data, 0);
    edit->SetFocus();
    tester_->Pump();
    EXPECT_TRUE(edit->Data.FFocused);
    EXPECT_EQ(edit->Color(), toolkit::TColor(1118481));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(3355443));
}

TEST_F(StatesTest, AButtonLeftDuringItsFadeInFadesBackFromTheStrengthItReached)
{
    PanelsForm* form = ShowPanels();
    TsCommonData& data = form->first->Data;
    form->first->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    std::vector<int> values;
    auto record = [&](TsCommonData& d, int iteration) {
        if (iteration >= 0)
            values.push_back(d.AnimTimer->CurrentValue());
        return AnimStepGraphic(d, iteration);
    };
    data.FMouseAbove = true;
    DoChangePaint(data, 1, record);
    headless::RunFor(30);
    // Showing the steps does not make the cache stale.
    EXPECT_FALSE(data.BGChanged);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values.back(), 102);
    // The hot picture is in the cache now; going back starts at 102, in twenty steps.
    values.clear();
    data.FMouseAbove = false;
    DoChangePaint(data, 0, record);
    headless::RunFor(400);
    ASSERT_EQ(values.size(), 20u);
    EXPECT_EQ(values.front(), 97);
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
}

TEST_F(StatesTest, WithoutAnimationGlowsAppearAndVanishAtFullStrength)
{
    manager_->Effects.AllowAnimation = false;
    PanelsForm* form = ShowPanels();
    TsCommonData& data = form->first->Data;
    form->first->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    data.FMouseAbove = true;
    DoChangePaint(data, 1, AnimStepGraphic, ChangePaintOptions{true, false});
    ASSERT_GE(data.GlowID, 0);
    EXPECT_EQ(GlowAt(data.GlowID)->Alpha, 255);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
    data.FMouseAbove = false;
    DoChangePaint(data, 0, AnimStepGraphic, ChangePaintOptions{true, false});
    EXPECT_EQ(data.GlowID, -1);
    EXPECT_EQ(LiveGlowCount(), 0);
}

TEST_F(StatesTest, DisablingHidingAndMovingTakeTheMarksAndTheGlowAway)
{
    PanelsForm* form = ShowPanels();
    TestEdit* edit = EditOn(form, u"SPEEDBUTTON");
    edit->Data.FMouseAbove = true;
    ShowGlowingIfNeeded(edit->Data, false);
    ASSERT_GE(edit->Data.GlowID, 0);
    edit->Data.BGChanged = false;
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->Data.FMouseAbove);
    EXPECT_TRUE(edit->Data.BGChanged);
    EXPECT_EQ(edit->Data.GlowID, -1);
    // A disabled control's picture depends on where it stands.
    EXPECT_TRUE(edit->Data.BgDependsOnPosition());

    edit->SetEnabled(true);
    edit->Data.FMouseAbove = true;
    ShowGlowingIfNeeded(edit->Data, false);
    ASSERT_GE(edit->Data.GlowID, 0);
    edit->SetBounds(30, 130, 80, 22);
    EXPECT_EQ(edit->Data.GlowID, -1);

    ShowGlowingIfNeeded(edit->Data, false);
    ASSERT_GE(edit->Data.GlowID, 0);
    edit->SetVisible(false);
    EXPECT_EQ(edit->Data.GlowID, -1);
    EXPECT_EQ(LiveGlowCount(), 0);
}

TEST_F(StatesTest, AWindowedControlShowsEachStepOfItsFadeInItsWindow)
{
    PanelsForm* form = ShowPanels();
    TestEdit* edit = EditOn(form, u"SPEEDBUTTON");
    tester_->Pump();
    edit->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    edit->Data.FMouseAbove = true;
    DoChangePaint(edit->Data, 1, AnimStepWindowed);
    auto shown = [&] {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        const POINT p = edit->ClientToScreen(POINT{40, 11});
        return headless::WindowShot(form->Handle()).Pixel(p.x - window.left, p.y - window.top);
    };
    tester_->Pump();
    const TacThreadedTimer& t = *edit->Data.AnimTimer;
    EXPECT_EQ(shown(), t.BmpOut.Pixel(40, 11));
    EXPECT_NE(t.BmpOut.Pixel(40, 11), t.BmpTo.Pixel(40, 11));
    headless::RunFor(200);
    EXPECT_EQ(shown(), edit->Data.FCacheBmp->Pixel(40, 11));
    EXPECT_EQ(PixelToColor(shown()), COLORREF(HotColor));
}
