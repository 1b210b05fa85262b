// The main window's skinned buttons on a private X server, moved over and clicked with the real
// mouse (xdotool): a source button fades to hot in 10 timer steps and back in 20, read from the
// button's animation as each step runs and from the screen once it is over; pressing and
// releasing clicks a button, and moving off it before releasing does not. The windows are the
// program's, built as it builds them, with the test engine library for the engine and no
// compositing manager on the display (so no glow window may show).
#include "SkinSession.h"

#include "../../engine/TestEngine.h"

#include "platform/backend/gtk/GtkBackend.h"
#include "skin/controls/TsCommonData.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "ui/main/TForm1.h"

#include <chrono>
#include <unistd.h>

namespace {

using namespace platform;
using namespace skine2e;

// One step of a fade as the button's timer made it.
struct FadeStep {
    int iteration = 0;
    int value = 0;
    std::chrono::steady_clock::time_point at;
};

// Dispatches messages one by one (GTK's events in between) until the button's animation has
// ended or ms have passed, noting every step its timer makes.
std::vector<FadeStep> FollowFade(skin::TsCommonData& data, int ms = 3000)
{
    std::vector<FadeStep> steps;
    int lastIteration = -1000;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    bool started = false;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        } else {
            gtk::Sync();
            ::usleep(1000);
        }
        const skin::TacThreadedTimer* t = data.AnimTimer.get();
        if (!t)
            continue;
        if (t->Running()) {
            started = true;
            if (t->Iteration != lastIteration) {
                lastIteration = t->Iteration;
                steps.push_back(FadeStep{t->Iteration, t->CurrentValue(), std::chrono::steady_clock::now()});
            }
        } else if (started) {
            break;
        }
    }
    return steps;
}

POINT Centre(toolkit::TControl* control)
{
    return control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
}

RECT ScreenRect(toolkit::TControl* control)
{
    const POINT p = control->ClientToScreen(POINT{0, 0});
    return RECT{p.x, p.y, p.x + control->Width(), p.y + control->Height()};
}

int LoadsAsked()
{
    std::string record = enginetest::Record();
    int count = 0;
    for (std::size_t at = record.find("load_url "); at != std::string::npos; at = record.find("load_url ", at + 1))
        ++count;
    return count;
}

int GlowWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM counter) -> BOOL {
            if (GetClassName(hwnd) == skin::GlowFormClassName)
                ++*reinterpret_cast<int*>(counter);
            return true;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

using ButtonsOnScreen = OnScreen;

void ExpectSteadySteps(const std::vector<FadeStep>& steps, bool up)
{
    for (std::size_t i = 1; i < steps.size(); ++i) {
        if (up)
            EXPECT_GT(steps[i].value, steps[i - 1].value) << "step " << i;
        else
            EXPECT_LT(steps[i].value, steps[i - 1].value) << "step " << i;
    }
    // Steps of 10 ms on the timer: the first runs at once, so n steps take at least (n - 1) x 10 ms.
    if (steps.size() > 1) {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(steps.back().at - steps.front().at);
        EXPECT_GE(took.count(), (long(steps.size()) - 1) * skin::acTimerInterval - 5);
    }
}

} // namespace

TEST_F(ButtonsOnScreen, ASourceButtonFadesToHotInTenStepsAndBackInTwenty)
{
    skin::TsBitBtn* button = ui::Form1->sBitBtn2;
    skin::TsCommonData& data = *button->SkinData();
    ASSERT_TRUE(data.Skinned()) << "the default skin does not skin the source buttons";

    MoveMouse(Centre(button));
    std::vector<FadeStep> toHot = FollowFade(data);
    ASSERT_EQ(toHot.size(), 10u);
    EXPECT_EQ(toHot.back().value, 255);
    ExpectSteadySteps(toHot, true);
    Pump(100);
    // What the screen shows now is the hot picture of the button.
    const Bitmap hotOnScreen = gtk::GrabScreen(ScreenRect(button));
    EXPECT_EQ(GlowWindows(), 0) << "a glow showed without a compositing manager";

    MoveMouse(Away);
    std::vector<FadeStep> back = FollowFade(data);
    ASSERT_EQ(back.size(), 20u);
    EXPECT_EQ(back.back().value, 0);
    ExpectSteadySteps(back, false);
    Pump(100);
    const Bitmap restOnScreen = gtk::GrabScreen(ScreenRect(button));
    int differing = 0;
    for (int y = 0; y < hotOnScreen.Height(); ++y)
        for (int x = 0; x < hotOnScreen.Width(); ++x)
            differing += (hotOnScreen.Pixel(x, y) & 0xFFFFFF) != (restOnScreen.Pixel(x, y) & 0xFFFFFF);
    EXPECT_GT(differing, 0) << "the screen shows the same button hot and at rest";
}

TEST_F(ButtonsOnScreen, PressingAndReleasingClicksAndMovingOffFirstDoesNot)
{
    skin::TsBitBtn* source = ui::Form1->sBitBtn3;
    int before = LoadsAsked();
    MoveMouse(Centre(source));
    Pump(200);
    Xdotool("mousedown 1");
    Pump(200);
    Xdotool("mouseup 1");
    EXPECT_TRUE(PumpUntil([&] { return LoadsAsked() == before + 1; }, 5000)) << "the press and release did not click";

    before = LoadsAsked();
    Xdotool("mousedown 1");
    Pump(200);
    MoveMouse(POINT{Centre(source).x, Centre(source).y + 150});
    Pump(200);
    Xdotool("mouseup 1");
    Pump(500);
    EXPECT_EQ(LoadsAsked(), before) << "moving off before the release still clicked";

    // A speed button, which has no window of its own: "Вверх" counts a nudge on its click.
    skin::TsSpeedButton* up = ui::Form1->sSpeedButton11;
    const toolkit::String count = ui::Form1->MoveEdit->Text();
    MoveMouse(Centre(up));
    Pump(200);
    Xdotool("mousedown 1");
    Pump(100);
    MoveMouse(POINT{Centre(up).x - 200, Centre(up).y});
    Pump(100);
    Xdotool("mouseup 1");
    Pump(300);
    EXPECT_EQ(ui::Form1->MoveEdit->Text(), count) << "moving off before the release still clicked";
    MoveMouse(Centre(up));
    Pump(200);
    Xdotool("mousedown 1");
    Pump(100);
    Xdotool("mouseup 1");
    EXPECT_TRUE(PumpUntil([&] { return ui::Form1->MoveEdit->Text() != count; }, 5000)) << "the click was lost";
}
