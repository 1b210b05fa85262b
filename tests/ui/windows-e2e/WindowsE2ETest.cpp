// The windows on a real screen with the real engine library: the stored proxy carries the home
// page and the TV guide, the right-button filter keeps right clicks from the web views' pages but
// not from the engine's view, the TV guide reloads only from hidden, and the audio tales window's
// stay-on-top and closing rules. The tests run in this order; the last one ends the program.
#include "WindowsSession.h"

#include "toolkit/FormTester.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace windowse2e {
namespace {

using toolkit::FormTester;

const std::string HomePage = "http://www.lumo-tv.example/lumo9/main910.html";
const std::string GuidePage = "http://www.lumo-tv.example/lumo9/tvprogramm.html";
const std::string TalesPage = "http://www.lumo-tv.example/channels2/skazki.html";

class WindowsE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SessionProblem(), "");
        if (!StoredProxyOn() && !std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())
                                     .starts_with("WithTheStoredProxyOff"))
            GTEST_SKIP() << "this process runs with the stored proxy off";
    }

    // Waits until the view shows colour at its centre.
    static bool OnScreen(toolkit::TControl* view, platform::COLORREF color)
    {
        platform::POINT at = FormTester::ScreenPoint(view, {view->Width() / 2, 150});
        return PumpUntil([&] { return ScreenPixel(at.x, at.y) == color; }, 20000);
    }

    // Right then left clicks over the web view: only the left press reaches its page.
    static void ExpectOnlyLeftPressesReachThePage(toolkit::TControl* view)
    {
        platform::POINT at = FormTester::ScreenPoint(view, {view->Width() / 2, 150});
        int menus = Server().CountContaining("/seen/menu");
        int rightPresses = Server().CountContaining("/seen/press2");
        int leftPresses = Server().CountContaining("/seen/press0");
        ClickAt(at, 3);
        Pump(800);
        ClickAt(at, 1);
        EXPECT_TRUE(PumpUntil([&] { return Server().CountContaining("/seen/press0") > leftPresses; }, 10000))
            << "the left click did not reach the page; the server saw:\n" << Server().LogText();
        EXPECT_EQ(Server().CountContaining("/seen/press2"), rightPresses);
        EXPECT_EQ(Server().CountContaining("/seen/menu"), menus);
        Xdotool("key Escape");
    }
};

TEST_F(WindowsE2E, TheStoredProxyCarriesTheHomePageAndTheTvGuideFromTheStart)
{
    EXPECT_TRUE(PumpUntil([] { return Server().Count(HomePage) >= 1; }, 20000))
        << "the server saw:\n" << Server().LogText();
    ui::TVProgrammForm->Show();
    EXPECT_TRUE(PumpUntil([] { return Server().Count(GuidePage) >= 1; }, 20000))
        << "the server saw:\n" << Server().LogText();
    EXPECT_TRUE(OnScreen(ui::TVProgrammForm->WebBrowser1, GuideColor));
}

TEST_F(WindowsE2E, TheTvGuideReloadsOnlyWhenItGoesFromHiddenToShown)
{
    ui::TVProgrammForm->Show();
    ASSERT_TRUE(PumpUntil([] { return Server().Count(GuidePage) >= 1; }, 20000));
    const int fetched = Server().Count(GuidePage);
    ui::Form1->sSpeedButton1->Click();
    Pump(1500);
    EXPECT_EQ(Server().Count(GuidePage), fetched) << "shown while visible: only brought forward";
    ui::TVProgrammForm->Close();
    Pump(200);
    ui::Form1->sSpeedButton1->Click();
    EXPECT_TRUE(PumpUntil([&] { return Server().Count(GuidePage) == fetched + 1; }, 20000));
}

TEST_F(WindowsE2E, RightClicksOverTheGuideAndTalesViewsNeverReachThePage)
{
    ui::TVProgrammForm->Show();
    ASSERT_TRUE(OnScreen(ui::TVProgrammForm->WebBrowser1, GuideColor));
    ExpectOnlyLeftPressesReachThePage(ui::TVProgrammForm->WebBrowser1);
    ui::TVProgrammForm->Close();

    ui::AudioskazkiForm->Show();
    ASSERT_TRUE(OnScreen(ui::AudioskazkiForm->WebBrowser1, TalesColor));
    ExpectOnlyLeftPressesReachThePage(ui::AudioskazkiForm->WebBrowser1);
    ui::AudioskazkiForm->Close();
    Pump(200);
}

TEST_F(WindowsE2E, ARightClickOverTheEnginesViewStillOpensItsMenu)
{
    ui::Form1->Show();
    platform::SetForegroundWindow(ui::Form1->Handle());
    ASSERT_TRUE(OnScreen(ui::Form1->sPanel3, HomeColor));
    int commands = 0;
    auto own = ui::Form1->Chromium1->OnContextMenuCommand;
    ui::Form1->Chromium1->OnContextMenuCommand = [&](toolkit::TObject* sender, const engine::ICefBrowser& browser,
                                                     const engine::ICefFrame& frame,
                                                     const engine::ICefContextMenuParams& params, int id,
                                                     engine::TCefEventFlags flags, bool& Result) {
        ++commands;
        own(sender, browser, frame, params, id, flags, Result);
    };
    ClickAt(FormTester::ScreenPoint(ui::Form1->sPanel3, {300, 150}), 3);
    Pump(600);
    Xdotool("key Down");
    Pump(200);
    Xdotool("key Return");
    EXPECT_TRUE(PumpUntil([&] { return commands > 0; }, 5000)) << "no menu opened over the engine's view";
    ui::Form1->Chromium1->OnContextMenuCommand = own;
}

TEST_F(WindowsE2E, StayOnTopKeepsTheTalesWindowAboveTheMainWindowAndLocksTheRemote)
{
    ui::TAudioskazkiForm* tales = ui::AudioskazkiForm;
    ui::Form1->Show();
    tales->Show();
    ASSERT_TRUE(OnScreen(tales->WebBrowser1, TalesColor));
    platform::POINT inTales = FormTester::ScreenPoint(tales->WebBrowser1, {tales->WebBrowser1->Width() / 2, 150});
    // The main window's caption shows above the smaller, centred tales window.
    platform::POINT mainCaption{ui::Form1->Left() + 200, ui::Form1->Top() + 8};

    ClickAt(FormTester::ScreenPoint(tales->sSpeedButton2), 1);
    ASSERT_TRUE(PumpUntil([&] { return tales->sSpeedButton3->Visible(); }, 5000));
    EXPECT_FALSE(tales->sSpeedButton1->Enabled());
    ClickAt(mainCaption, 1);
    Pump(500);
    EXPECT_TRUE(platform::GetForegroundWindow() == ui::Form1->Handle()) << "the main window took the activation";
    EXPECT_EQ(ScreenPixel(inTales.x, inTales.y), TalesColor) << "the tales window stays above";

    ClickAt(FormTester::ScreenPoint(tales->sSpeedButton3), 1);
    ASSERT_TRUE(PumpUntil([&] { return tales->sSpeedButton2->Visible(); }, 5000));
    EXPECT_TRUE(tales->sSpeedButton1->Enabled());
    ClickAt(mainCaption, 1);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(inTales.x, inTales.y) == HomeColor; }, 5000))
        << "out of the top-most band the main window covers it";
    tales->Close();
    Pump(200);
}

TEST_F(WindowsE2E, WithTheStoredProxyOffNeitherPageGoesThroughIt)
{
    if (StoredProxyOn()) {
        // The same program with the stored proxy off, in a process of its own.
        std::string command = "LUMO_WINDOWS_E2E_PROXY=0 '" + std::string(LUMO_BINARY_DIR) +
            "/tests/lumo_windows_e2e_tests' --gtest_filter='*WithTheStoredProxyOff*' >/dev/null 2>&1";
        int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the run with the proxy off failed";
        return;
    }
    ui::TVProgrammForm->Show();
    Pump(5000);
    EXPECT_EQ(Server().Count(HomePage), 0);
    EXPECT_EQ(Server().Count(GuidePage), 0);
    EXPECT_TRUE(Server().Log().empty()) << Server().LogText();
}

TEST_F(WindowsE2E, ClosingTheTalesWindowEndsTheProgramOnlyWhileTheMainWindowIsHidden)
{
    ui::TAudioskazkiForm* tales = ui::AudioskazkiForm;
    ui::Form1->Show();
    tales->Show();
    ASSERT_TRUE(OnScreen(tales->WebBrowser1, TalesColor));
    tales->Close();
    App().ProcessMessages();
    EXPECT_FALSE(App().Terminated());
    EXPECT_TRUE(ui::Form1->Visible());
    // The X server's news of the hidden window comes in before the window is shown again.
    Pump(300);

    tales->Show();
    ASSERT_TRUE(OnScreen(tales->WebBrowser1, TalesColor));
    ClickAt(FormTester::ScreenPoint(tales->sSpeedButton1), 1);
    ASSERT_TRUE(PumpUntil([] { return !ui::Form1->Visible(); }, 5000));
    EXPECT_FALSE(platform::IsWindowVisible(ui::Form1->Handle()));
    tales->Close();
    App().ProcessMessages();
    EXPECT_TRUE(App().Terminated());
}

} // namespace
} // namespace windowse2e
