// The main window against the test engine: its layout, its creation, the sources with their
// geometry and addresses, the nudge counter and the tool buttons.
#include "MainWindowTester.h"

#include "platform/system/Paths.h"
#include "toolkit/Colors.h"
#include "ui/main/Sites.h"

#include <filesystem>

using namespace uitest;
using namespace toolkit;

namespace {

std::string Narrow(const String& s) { return platform::Utf16ToUtf8(s); }

} // namespace

TEST_F(MainWindowTest, ButtonsPanelsAndHiddenCounterAreLaidOutAsTheWindowDescribesThem)
{
    EXPECT_EQ(form->Caption(), u"Lumo TV Player");
    EXPECT_EQ(form->ClientWidth(), 659);
    EXPECT_EQ(form->ClientHeight(), 533);
    EXPECT_EQ(form->Color(), clBtnFace);
    EXPECT_EQ(form->Font()->Name(), u"Tahoma");
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(form->Icon()->Width(), 64);
    EXPECT_EQ(form->Icon()->Height(), 64);

    EXPECT_EQ(form->sPanel1->BoundsRect(), (TRect{0, 0, 659, 40}));
    EXPECT_EQ(form->sPanel2->BoundsRect(), (TRect{0, 493, 659, 533}));
    EXPECT_EQ(form->sPanel3->BoundsRect(), (TRect{0, 40, 659, 493}));
    for (skin::TsPanel* p : {form->sPanel1, form->sPanel2, form->sPanel3}) {
        EXPECT_EQ(p->SkinData()->SkinSection(), u"PANEL");
        EXPECT_FALSE(p->ShowCaption());
        EXPECT_FALSE(p->SkinData()->Loading()) << "the form's loading ends the panel's";
    }
    EXPECT_EQ(form->sPanel1->TabOrder(), 0);
    EXPECT_EQ(form->sPanel2->TabOrder(), 1);
    EXPECT_EQ(form->sPanel3->TabOrder(), 2);

    struct Source {
        skin::TsBitBtn* button;
        int left, tabOrder;
        const char16_t* caption;
    };
    const Source sources[] = {
        {form->sBitBtn1, 2, 0, u"Сервер 1"},   {form->sBitBtn2, 111, 4, u"Сервер 2"},
        {form->sBitBtn3, 220, 1, u"Сервер 3"}, {form->sBitBtn4, 330, 5, u"Сервер 4"},
        {form->sBitBtn5, 440, 2, u"Сервер 5"}, {form->sBitBtn6, 549, 3, u"Радио"},
    };
    for (const Source& s : sources) {
        SCOPED_TRACE(Narrow(s.caption));
        EXPECT_EQ(s.button->Parent(), form->sPanel1);
        EXPECT_EQ(s.button->BoundsRect(), (TRect{s.left, 2, s.left + 107, 38}));
        EXPECT_EQ(s.button->Caption(), s.caption);
        EXPECT_EQ(s.button->Hint(), s.caption);
        EXPECT_TRUE(s.button->ShowHint());
        EXPECT_EQ(s.button->Cursor(), crHandPoint);
        EXPECT_EQ(s.button->TabOrder(), s.tabOrder);
        EXPECT_EQ(s.button->SkinData()->SkinSection(), u"BUTTON");
        EXPECT_EQ(s.button->Glyph()->Width(), 32);
        EXPECT_EQ(s.button->Glyph()->Height(), 32);
    }

    struct Tool {
        skin::TsSpeedButton* button;
        int left;
        const char16_t* hint;
    };
    const Tool tools[] = {
        {form->sSpeedButton1, 2, u"Телепрограмма"},   {form->sSpeedButton2, 36, u"Рекомендуем посмотреть"},
        {form->sSpeedButton3, 70, u"Аудиосказки"},    {form->sSpeedButton9, 104, u"IPTV"},
        {form->sSpeedButton4, 154, u"Настройки"},     {form->sSpeedButton5, 188, u"Помощь"},
        {form->sSpeedButton6, 222, u"О программе"},   {form->sSpeedButton7, 256, u"Пожертвование"},
        {form->sSpeedButton12, 306, u"Фильмы"},       {form->sSpeedButton13, 340, u"Сериалы"},
        {form->sSpeedButton11, 540, u"Вверх"},        {form->sSpeedButton10, 574, u"Вниз"},
        {form->sSpeedButton8, 624, u"Выключить"},
    };
    for (const Tool& t : tools) {
        SCOPED_TRACE(Narrow(t.hint));
        EXPECT_EQ(t.button->Parent(), form->sPanel2);
        EXPECT_EQ(t.button->BoundsRect(), (TRect{t.left, 4, t.left + 32, 36}));
        EXPECT_EQ(t.button->Caption(), u"");
        EXPECT_EQ(t.button->Hint(), t.hint);
        EXPECT_TRUE(t.button->ShowHint());
        EXPECT_EQ(t.button->Cursor(), crHandPoint);
        EXPECT_EQ(t.button->SkinData()->SkinSection(), u"SPEEDBUTTON");
        EXPECT_EQ(t.button->Glyph()->Width(), 32);
        EXPECT_EQ(t.button->Glyph()->Height(), 32);
    }

    EXPECT_EQ(form->MoveEdit->Parent(), form->sPanel2);
    EXPECT_EQ(form->MoveEdit->BoundsRect(), (TRect{514, 8, 534, 29}));
    EXPECT_FALSE(form->MoveEdit->Visible());
    EXPECT_EQ(form->MoveEdit->Text(), u"0");

    ASSERT_NE(form->sSkinManager1, nullptr);
    EXPECT_EQ(skin::TsSkinManager::DefaultManager(), form->sSkinManager1);
    EXPECT_EQ(form->sSkinManager1->InternalSkins().Count(), 97);
    EXPECT_TRUE(bool(chromium->OnBeforeResourceLoad));
    EXPECT_TRUE(bool(chromium->OnBeforePopup));
    EXPECT_TRUE(bool(chromium->OnContextMenuCommand));
}

TEST_F(MainWindowTest, CreationOpensTheSettingsStoreWithoutTouchingTheFileThenLoadsTheHomePage)
{
    ASSERT_NE(ui::ini, nullptr);
    String expected = platform::ExecutableDirectory() + u"Config.ini";
    EXPECT_EQ(ui::ini->FileName(), expected);
    EXPECT_FALSE(std::filesystem::exists(platform::NativePath(expected))) << "nothing is written at creation";
    // The default page while the layout was loaded, then the home page from FormCreate.
    EXPECT_EQ(LoadedUrls(), (std::vector<std::string>{"about:blank", "www.lumo-tv.example/lumo9/main910.html"}));
    EXPECT_EQ(chromium->BoundsRect(), (TRect{-5, -5, 695, 455}));
    EXPECT_FALSE(form->Visible());

    // Shown, the window takes the focus it asked for while hidden.
    form->Show();
    tester->Pump();
    EXPECT_TRUE(form->Active());

    // Destruction frees the store.
    tester.reset();
    EXPECT_EQ(ui::ini, nullptr);
}

TEST_F(MainWindowTest, EverySourceLoadsItsAddressAtItsGeometry)
{
    struct Expected {
        TControl* button;
        bool fill;
        TRect bounds;
        std::string address;
    };
    const std::string dir = Narrow(platform::ExecutableDirectory());
    // Filling the content panel means filling it inside its one-pixel bevel.
    const TRect panel{1, 1, 658, 452};
    const Expected sources[] = {
        {form->sBitBtn1, false, {-5, -5, 695, 455}, dir + "player/tvpl1.html"},
        {form->sBitBtn2, false, {-65, -240, 675, 475}, "tv.lumo-tv.example/channels/index3.html"},
        {form->sBitBtn3, false, {-30, -615, 680, 475}, "tv.lumo-tv.example/channels/index2.html"},
        {form->sBitBtn4, false, {-35, -710, 675, 475}, "tv.lumo-tv.example/channels/server4.html"},
        {form->sBitBtn5, false, {-5, -5, 695, 455}, "tv.lumo-tv.example/channels/index.html"},
        {form->sBitBtn6, false, {-5, -5, 695, 455}, "www.lumo-tv.example/lumo9/radio2.html"},
        {form->sSpeedButton2, false, {-5, -5, 695, 455}, "recommend.lumo-tv.example/recommended.html"},
        {form->sSpeedButton9, false, {-5, -5, 695, 455}, "www.lumo-tv.example/lumo9/iptv.html"},
        {form->sSpeedButton12, true, panel, "tv.lumo-tv.example/kino/films.html"},
        {form->sSpeedButton13, true, panel, "tv.lumo-tv.example/kino/serials.html"},
        {form->sSpeedButton8, false, {-5, -5, 695, 455}, "www.lumo-tv.example/lumo9/main910.html"},
    };
    form->Show();
    tester->Pump();
    // Each from a filled panel and from a placed control, so no value is left over from before.
    for (TControl* before : {static_cast<TControl*>(form->sSpeedButton12), static_cast<TControl*>(form->sBitBtn3)}) {
        for (const Expected& e : sources) {
            SCOPED_TRACE(e.address);
            tester->Click(before);
            size_t loads = LoadedUrls().size();
            tester->Click(e.button);
            std::vector<std::string> urls = LoadedUrls();
            ASSERT_EQ(urls.size(), loads + 1);
            EXPECT_EQ(urls.back(), e.address);
            EXPECT_EQ(chromium->Align(), e.fill ? alClient : alNone);
            EXPECT_EQ(chromium->BoundsRect(), e.bounds);
            // The browser window covers the control wherever it lies.
            platform::RECT r;
            platform::GetClientRect(chromium->BrowserWindow(), &r);
            EXPECT_EQ(r.Width(), e.bounds.Width());
            EXPECT_EQ(r.Height(), e.bounds.Height());
        }
    }
}

TEST_F(MainWindowTest, NudgingMovesThePageFiveStepsAtATimeWithinTwentyStepsEitherWay)
{
    form->Show();
    tester->Pump();
    auto up = [&](int times) {
        for (int i = 0; i < times; ++i)
            tester->Click(form->sSpeedButton11);
    };
    auto down = [&](int times) {
        for (int i = 0; i < times; ++i)
            tester->Click(form->sSpeedButton10);
    };
    size_t loads = LoadedUrls().size();

    tester->Click(form->sBitBtn2);
    ++loads;
    const int bottom = chromium->Top() + chromium->Height();
    up(1);
    EXPECT_EQ(chromium->Top(), -245);
    EXPECT_EQ(chromium->Height(), 720);
    EXPECT_EQ(chromium->Left(), -65);
    EXPECT_EQ(chromium->Width(), 740);
    EXPECT_EQ(form->MoveEdit->Text(), u"1");
    up(19);
    EXPECT_EQ(chromium->Top(), -340);
    EXPECT_EQ(form->MoveEdit->Text(), u"20");
    up(1);
    EXPECT_EQ(chromium->Top(), -340) << "the twenty-first step up does nothing";
    EXPECT_EQ(form->MoveEdit->Text(), u"20");
    EXPECT_EQ(chromium->Top() + chromium->Height(), bottom);

    // IPTV restores its geometry but keeps the counter: up stays stuck, down goes forty times.
    tester->Click(form->sSpeedButton9);
    ++loads;
    EXPECT_EQ(chromium->BoundsRect(), (TRect{-5, -5, 695, 455}));
    EXPECT_EQ(form->MoveEdit->Text(), u"20");
    up(1);
    EXPECT_EQ(chromium->Top(), -5);
    down(40);
    EXPECT_EQ(chromium->Top(), 195);
    EXPECT_EQ(chromium->Height(), 260);
    EXPECT_EQ(form->MoveEdit->Text(), u"-20");
    down(1);
    EXPECT_EQ(chromium->Top(), 195);
    EXPECT_EQ(chromium->Top() + chromium->Height(), 455);
    // Nudging never reloads.
    EXPECT_EQ(LoadedUrls().size(), loads);

    // A source that resets the counter frees the way up again.
    tester->Click(form->sBitBtn5);
    EXPECT_EQ(form->MoveEdit->Text(), u"0");
    up(1);
    EXPECT_EQ(chromium->Top(), -10);

    // Filling the panel, only the counter moves.
    tester->Click(form->sSpeedButton13);
    const TRect filled = chromium->BoundsRect();
    EXPECT_EQ(filled, (TRect{1, 1, 658, 452}));
    up(3);
    down(1);
    EXPECT_EQ(chromium->BoundsRect(), filled);
    EXPECT_EQ(form->MoveEdit->Text(), u"2");
}

TEST_F(MainWindowTest, ToolButtonsShowTheirWindowsWithoutChangingTheMainWindow)
{
    form->Show();
    tester->Pump();
    const TRect bounds = chromium->BoundsRect();
    size_t loads = LoadedUrls().size();
    struct Tool {
        TControl* button;
        TCustomForm* window;
    };
    const Tool tools[] = {
        {form->sSpeedButton1, ui::TVProgrammForm}, {form->sSpeedButton3, ui::AudioskazkiForm},
        {form->sSpeedButton4, ui::SettingForm},    {form->sSpeedButton5, ui::HelpForm},
        {form->sSpeedButton6, ui::AboutForm},      {form->sSpeedButton7, ui::DonationForm},
    };
    for (const Tool& t : tools) {
        SCOPED_TRACE(Narrow(t.window->Caption()));
        EXPECT_FALSE(t.window->Visible());
        tester->Click(t.button);
        EXPECT_TRUE(t.window->Visible());
        EXPECT_FALSE(t.window->FormState().Contains(fsModal));
        t.window->Hide();
        tester->Pump();
    }
    EXPECT_EQ(chromium->BoundsRect(), bounds);
    EXPECT_EQ(LoadedUrls().size(), loads);
    EXPECT_EQ(form->MoveEdit->Text(), u"0");
}
