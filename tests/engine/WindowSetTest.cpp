// The program's seven windows as the entry builds them, against the test engine.
#include "TestEngine.h"

#include "app/WindowSet.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "toolkit/TApplication.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <gtest/gtest.h>

using namespace enginetest;
using namespace toolkit;

TEST(WindowSet, SevenWindowsInOrderHiddenWithTheirFramesAndTheMainWindowsBrowser)
{
    StartRecord();
    ResetBinding(u"libcef-complete.so");
    ASSERT_TRUE(engine::CefLoadLibDefault());
    platform::headless::Reset();

    TApplication* application = app::CreateWindowSet();
    // The application owns the seven forms, in their creation order (and its screen object).
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TCustomForm*>(application->Components(i)))
            forms.push_back(form);
    ASSERT_EQ(forms.size(), 7u);
    struct Expected {
        TCustomForm* form;
        const char16_t* caption;
        int width, height;
        TBorderIcons icons;
        TPosition position;
    };
    const TBorderIcons closeOnly{biSystemMenu};
    const Expected expected[] = {
        {ui::Form1, u"Lumo TV Player", 659, 533, TBorderIcons{biSystemMenu, biMinimize}, poScreenCenter},
        {ui::AboutForm, u"О программе", 404, 120, closeOnly, poMainFormCenter},
        {ui::AudioskazkiForm, u"Аудиосказки", 490, 460, closeOnly, poMainFormCenter},
        {ui::DonationForm, u"Пожертвования", 294, 158, closeOnly, poMainFormCenter},
        {ui::HelpForm, u"Помощь", 374, 280, closeOnly, poMainFormCenter},
        {ui::TVProgrammForm, u"Телепрограмма", 794, 448, closeOnly, poMainFormCenter},
        {ui::SettingForm, u"Настройки", 494, 290, closeOnly, poMainFormCenter},
    };
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const Expected& e = expected[i];
        ASSERT_NE(e.form, nullptr);
        EXPECT_EQ(forms[i], e.form);
        EXPECT_EQ(e.form->Caption(), e.caption);
        EXPECT_EQ(e.form->ClientWidth(), e.width);
        EXPECT_EQ(e.form->ClientHeight(), e.height);
        EXPECT_EQ(e.form->BorderStyle(), bsSingle);
        EXPECT_TRUE(e.form->BorderIcons() == e.icons);
        EXPECT_EQ(e.form->Position(), e.position);
        EXPECT_FALSE(e.form->Visible());
    }
    EXPECT_EQ(application->MainForm(), ui::Form1);
    EXPECT_TRUE(application->MainFormOnTaskBar);

    // The browser control holds its place in the content panel and has asked for its default page
    // while the main window was being built.
    engine::TChromium* chromium = ui::Form1->Chromium1;
    EXPECT_EQ(chromium->Parent(), ui::Form1->sPanel3);
    EXPECT_EQ(chromium->BoundsRect(), (TRect{-5, -5, 695, 455}));
    EXPECT_EQ(ui::Form1->sPanel3->BoundsRect(), (TRect{0, 40, 659, 493}));
    EXPECT_NE(chromium->BrowserId(), 0);
    EXPECT_TRUE(Recorded("create_browser 0 0 700 460"));
    EXPECT_TRUE(Recorded("load_url about:blank\n"));

    app::DestroyWindowSet(application);
    EXPECT_EQ(ui::Form1, nullptr);
    EXPECT_EQ(ui::SettingForm, nullptr);
    EXPECT_TRUE(Recorded("stop_load\nparent_window_will_close\n"));
    engine::CefFinalize();
    EXPECT_TRUE(Recorded("shutdown\n"));
    EXPECT_EQ(engine::LibHandle, nullptr);
}
