#include "toolkit/FormTester.h"
#include "toolkit/TTimer.h"

#include "platform/frame/MessageBox.h"

#include <gtest/gtest.h>

using namespace toolkit;

TEST(TTimerTest, FiresEveryIntervalWhileEnabled)
{
    FormTester tester;
    auto* timer = new TTimer(&tester.App());
    timer->SetInterval(100);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    tester.Advance(350);
    EXPECT_EQ(ticks, 3);
    timer->SetEnabled(false);
    tester.Advance(300);
    EXPECT_EQ(ticks, 3);
    timer->SetEnabled(true);
    timer->SetInterval(50);
    tester.Advance(120);
    EXPECT_EQ(ticks, 5);
    Free(timer);
    tester.Advance(200);
    EXPECT_EQ(ticks, 5);
}

TEST(TTimerTest, AnExceptionInTheHandlerIsReportedAndTheTimerGoesOn)
{
    FormTester tester;
    tester.App().SetTitle(u"Lumo TV Player");
    auto* timer = new TTimer(&tester.App());
    timer->SetInterval(100);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) {
        ++ticks;
        throw EConvertError(u"'x' is not a valid integer value");
    };
    platform::AnswerMessageBoxesAtOnce(true);
    testing::internal::CaptureStderr();
    tester.Advance(250);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(log, std::string("MessageBox: Lumo TV Player: 'x' is not a valid integer value.\n") +
                       "MessageBox: Lumo TV Player: 'x' is not a valid integer value.\n");
}
