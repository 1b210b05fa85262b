#include "ControlsTestSupport.h"

#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

// The strengths of every step until the animation ends.
std::vector<int> RunSteps(TacThreadedTimer& t)
{
    std::vector<int> values;
    while (t.Step() && values.size() < 100)
        values.push_back(t.CurrentValue());
    return values;
}

} // namespace

TEST(FadeStepsTest, ToHotFromNothingTakesTenEvenSteps)
{
    TacThreadedTimer t(nullptr);
    t.Glow = 0;
    t.InitData(1, false);
    EXPECT_EQ(t.Iterations, 10);
    EXPECT_DOUBLE_EQ(t.GlowStep, 25.5);
    EXPECT_EQ(RunSteps(t), (std::vector<int>{26, 51, 77, 102, 128, 153, 179, 204, 230, 255}));
    // The start picture gives way as the hot one comes in.
    EXPECT_EQ(t.FromWeight(), 0);
}

TEST(FadeStepsTest, ToHotFromHalfWayCountsTheStepsAlreadyDone)
{
    TacThreadedTimer t(nullptr);
    t.Glow = 128;
    t.State = 0; // a fade back to normal was running
    t.InitData(1, false);
    EXPECT_EQ(t.Iterations, 5);
    EXPECT_EQ(t.Iteration, 5);
    EXPECT_EQ(RunSteps(t), (std::vector<int>{153, 179, 204, 230, 255}));
    EXPECT_EQ(t.Iteration, 11);
}

TEST(FadeStepsTest, BackToNormalTakesTwentyStepsFromWhereverItStands)
{
    TacThreadedTimer t(nullptr);
    t.Glow = 255;
    t.InitData(0, false);
    EXPECT_EQ(t.Iterations, 20);
    std::vector<int> values = RunSteps(t);
    ASSERT_EQ(values.size(), 20u);
    EXPECT_EQ(values.front(), 242);
    EXPECT_EQ(values[9], 128);
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(t.FromWeight(), 0);

    // Left half way through a fade-in: the way back starts at the strength reached.
    TacThreadedTimer half(nullptr);
    half.Glow = 128;
    half.State = 1;
    half.InitData(0, false);
    values = RunSteps(half);
    ASSERT_EQ(values.size(), 20u);
    EXPECT_EQ(values.front(), 122);
    EXPECT_EQ(values.back(), 0);
}

TEST(FadeStepsTest, FastChangesHalveTheStepsAndGlowIsClampedFirst)
{
    TacThreadedTimer toNormal(nullptr);
    toNormal.Glow = 255;
    toNormal.InitData(0, true);
    EXPECT_EQ(RunSteps(toNormal).size(), 10u);

    TacThreadedTimer pressed(nullptr);
    pressed.Glow = 400; // out of range: limited to 255 before the step is worked out
    pressed.InitData(2, true);
    EXPECT_EQ(pressed.Iterations, 5);
    EXPECT_DOUBLE_EQ(pressed.GlowStep, 51);
    EXPECT_EQ(RunSteps(pressed), (std::vector<int>{204, 153, 102, 51, 0}));
}

class DrivenFadeTest : public ControlsFixture {};

TEST_F(DrivenFadeTest, HotTakesTenTimerStepsAndNormalTwentyAndTheTimerStops)
{
    PanelsForm* form = ShowPanels();
    TestSpeedButton& button = *form->first;
    TsCommonData& data = button.Data;
    button.Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    ASSERT_FALSE(data.BGChanged);
    const PixelBGRA normal = data.FCacheBmp->Pixel(50, 18);

    std::vector<int> values;
    auto record = [&](TsCommonData& d, int iteration) {
        if (iteration >= 0)
            values.push_back(d.AnimTimer->CurrentValue());
        return true;
    };
    data.FMouseAbove = true;
    DoChangePaint(data, 1, record);
    // The first step runs at once; the rest come one per 10 ms of the clock.
    EXPECT_EQ(values.size(), 1u);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 1);
    const PixelBGRA hot = data.AnimTimer->BmpTo.Pixel(50, 18);
    EXPECT_EQ(PixelR(hot), 0xF0);
    // Step 1 (v = 26): the start picture keeps 255 - 26 of 256.
    const PixelBGRA mixed = data.AnimTimer->BmpOut.Pixel(50, 18);
    EXPECT_EQ(PixelR(mixed), (229 * (PixelR(normal) - PixelR(hot)) + PixelR(hot) * 256) >> 8);
    headless::RunFor(40);
    EXPECT_EQ(values.size(), 5u);
    headless::RunFor(200);
    EXPECT_EQ(values.size(), 10u);
    EXPECT_EQ(values.back(), 255);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
    EXPECT_EQ(data.AnimTimer->State, -1);

    values.clear();
    data.FMouseAbove = false;
    DoChangePaint(data, 0, record);
    headless::RunFor(400);
    EXPECT_EQ(values.size(), 20u);
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
    EXPECT_EQ(data.FCacheBmp->Pixel(50, 18), normal);
}

TEST_F(DrivenFadeTest, WithoutAnimationTheChangeIsImmediateAndAStepRoutineMayEndIt)
{
    PanelsForm* form = ShowPanels();
    TsCommonData& data = form->first->Data;
    form->first->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    int steps = 0;
    auto stopAtThird = [&](TsCommonData&, int) { return ++steps < 3; };
    data.FMouseAbove = true;
    DoChangePaint(data, 1, stopAtThird);
    headless::RunFor(200);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(data.AnimTimer->State, -1);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);

    manager_->Effects.AllowAnimation = false;
    form->first->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    steps = 0;
    data.FMouseAbove = false;
    DoChangePaint(data, 0, stopAtThird);
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(data.BGChanged);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
}

TEST_F(DrivenFadeTest, TimersDieWithTheirControlAndStopOnRequest)
{
    PanelsForm* form = ShowPanels();
    form->first->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    form->first->Data.FMouseAbove = true;
    DoChangePaint(form->first->Data, 1, AnimStepGraphic);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 1);
    form->outer->Perform(SM_VELTACMD, AcCommand(AC_STOPFADING), 0);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);

    form->first->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    form->first->Data.FMouseAbove = false;
    DoChangePaint(form->first->Data, 0, AnimStepGraphic);
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 1);
    delete form->first;
    EXPECT_EQ(TacThreadedTimer::RunningCount(), 0);
    headless::RunFor(100); // a timer message still queued must find nothing
}
