// The settings window through the real windows and a real Config.ini in a folder of the test's
// own: what a start reads and applies, what saving, resetting and choosing a skin write, and how
// bad stored values and refused writes are reported.
#include "WindowSetTester.h"

#include "toolkit/Colors.h"

#include <algorithm>

using namespace uitest;
using namespace toolkit;

namespace {

std::string Narrow(const String& s) { return platform::Utf16ToUtf8(s); }

const std::string SavedMessage = "Настройки успешно изменены! Для того что бы новые настройки вступили в силу "
                                 "необходимо перезапустить программу!";

} // namespace

TEST_F(WindowSetTest, TheSettingsWindowIsLaidOutAndOffersNinetyFiveInternalSkinsInItsOwnOrder)
{
    Start();
    ui::TSettingForm* f = ui::SettingForm;
    EXPECT_EQ(f->Caption(), u"Настройки");
    EXPECT_EQ(f->ClientWidth(), 494);
    EXPECT_EQ(f->ClientHeight(), 290);
    EXPECT_EQ(f->BorderStyle(), bsSingle);
    EXPECT_EQ(f->BorderIcons(), TBorderIcons{biSystemMenu});

    EXPECT_EQ(f->sPageControl1->BoundsRect(), (TRect{0, 0, 494, 290}));
    EXPECT_EQ(f->sPageControl1->ActivePage(), f->sTabSheet2);
    EXPECT_EQ(f->sPageControl1->PageCount(), 1);
    EXPECT_EQ(f->sTabSheet2->Caption(), u"Настройки");
    struct Placed {
        TControl* control;
        TWinControl* parent;
        TRect bounds;
    };
    const Placed placed[] = {
        {f->sGroupBox1, f->sTabSheet2, {8, 8, 478, 148}},     {f->sEdit2, f->sGroupBox1, {55, 18, 176, 39}},
        {f->sBitBtn1, f->sGroupBox1, {15, 103, 205, 128}},    {f->sCheckBox1, f->sGroupBox1, {15, 78, 200, 98}},
        {f->sEdit3, f->sGroupBox1, {55, 48, 176, 69}},        {f->sGroupBox2, f->sTabSheet2, {8, 155, 478, 215}},
        {f->sComboBox1, f->sGroupBox2, {15, 25, 205, 46}},    {f->sBitBtn2, f->sTabSheet2, {180, 225, 320, 255}},
    };
    for (const Placed& p : placed) {
        SCOPED_TRACE(Narrow(p.control->Name()));
        EXPECT_EQ(p.control->Parent(), p.parent);
        EXPECT_EQ(p.control->BoundsRect(), p.bounds);
    }
    // The labels size themselves to their text in this font; only their place is fixed.
    EXPECT_EQ(f->sLabel1->Parent(), f->sGroupBox1);
    EXPECT_EQ(f->sLabel1->Left(), 15);
    EXPECT_EQ(f->sLabel1->Top(), 24);
    EXPECT_EQ(f->sLabel2->Top(), 53);
    EXPECT_EQ(f->sLabel1->Caption(), u"Адрес:");
    EXPECT_EQ(f->sLabel2->Caption(), u"Порт:");
    EXPECT_EQ(f->sEdit2->TabOrder(), 0);
    EXPECT_EQ(f->sBitBtn1->TabOrder(), 1);
    EXPECT_EQ(f->sCheckBox1->TabOrder(), 2);
    EXPECT_EQ(f->sEdit3->TabOrder(), 3);
    EXPECT_EQ(f->sGroupBox2->TabOrder(), 1);
    EXPECT_EQ(f->sBitBtn2->TabOrder(), 2);
    EXPECT_EQ(f->sBitBtn1->Caption(), u"Сохранить настройки соединения");
    EXPECT_EQ(f->sBitBtn2->Caption(), u"Сброс настроек");
    EXPECT_EQ(f->sCheckBox1->Caption(), u"Использовать настройки прокси");
    EXPECT_EQ(f->sGroupBox1->SkinData()->SkinSection(), u"GROUPBOX");
    EXPECT_EQ(f->sEdit3->SkinData()->SkinSection(), u"EDIT");
    EXPECT_EQ(f->sComboBox1->SkinData()->SkinSection(), u"COMBOBOX");
    EXPECT_EQ(f->sCheckBox1->SkinData()->SkinSection(), u"CHECKBOX");
    EXPECT_EQ(f->sEdit2->Color(), clWhite);
    EXPECT_FALSE(f->sEdit2->SkinData()->Loading()) << "the form's loading ends the controls'";

    // Every offered name is one of the manager's internal skins, each once; two of the catalogue
    // are missing and two "Ext" skins come before their plain ones.
    const TStrings& items = *f->sComboBox1->Items();
    ASSERT_EQ(items.Count(), 95);
    std::vector<String> catalogue;
    for (const auto& skin : ui::Form1->sSkinManager1->InternalSkins().Items())
        catalogue.push_back(skin.Name);
    std::vector<String> offered;
    for (int i = 0; i < items.Count(); ++i)
        offered.push_back(items[i]);
    for (const String& name : offered)
        EXPECT_EQ(std::count(catalogue.begin(), catalogue.end(), name), 1) << Narrow(name);
    std::vector<String> sortedOffered = offered;
    std::sort(sortedOffered.begin(), sortedOffered.end());
    EXPECT_EQ(std::adjacent_find(sortedOffered.begin(), sortedOffered.end()), sortedOffered.end());
    for (const char16_t* absent : {u"GPlus (internal)", u"Notes Wood (internal)"})
        EXPECT_EQ(std::count(offered.begin(), offered.end(), String(absent)), 0);
    auto at = [&](const char16_t* name) { return std::find(offered.begin(), offered.end(), String(name)) - offered.begin(); };
    EXPECT_EQ(at(u"Beijing Ext (internal)") + 1, at(u"Beijing (internal)"));
    EXPECT_EQ(at(u"Vienna Ext (internal)") + 1, at(u"Vienna (internal)"));
    EXPECT_EQ(items[0], u"Acryl (internal)");
    EXPECT_EQ(items[94], u"Zest (internal)");
    EXPECT_EQ(f->sComboBox1->ItemIndex(), -1) << "the stored skin is not selected";
    EXPECT_EQ(f->sComboBox1->Text(), u"");
}

TEST_F(WindowSetTest, AFirstStartAppliesTheDefaultSkinShowsZeroesAndWritesNothing)
{
    Start();
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Windows 8 (internal)");
    EXPECT_EQ(ui::SettingForm->sEdit2->Text(), u"0");
    EXPECT_EQ(ui::SettingForm->sEdit3->Text(), u"0");
    EXPECT_FALSE(ui::SettingForm->sCheckBox1->Checked());
    EXPECT_EQ(ui::SettingForm->IdHTTP1->ProxyParams().ProxyServer(), u"");
    EXPECT_EQ(ui::SettingForm->IdHTTP1->ProxyParams().ProxyPort(), 0);
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(ConfigExists());
}

TEST_F(WindowSetTest, StoredValuesReachTheFieldsAndTheClientObjectAndUseProxyReadsAsAnInteger)
{
    struct Case {
        const char* useProxy;
        bool checked;
    };
    const Case cases[] = {{"1", true}, {"0x1", true}, {"0X10", true}, {"2", true},
                          {"0", false}, {"yes", false}, {"0x", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.useProxy);
        WriteConfig(std::string("[PROXY]\r\nIP=10.1.2.3\r\nPort=3128\r\nuseproxy=") + c.useProxy + "\r\n");
        Start();
        ui::TSettingForm* f = ui::SettingForm;
        EXPECT_EQ(f->sEdit2->Text(), u"10.1.2.3");
        EXPECT_EQ(f->sEdit3->Text(), u"3128");
        EXPECT_EQ(f->sCheckBox1->Checked(), c.checked);
        // The server only when the box is checked; the port whether or not.
        EXPECT_EQ(f->IdHTTP1->ProxyParams().ProxyServer(), c.checked ? u"10.1.2.3" : u"");
        EXPECT_EQ(f->IdHTTP1->ProxyParams().ProxyPort(), 3128);
        EXPECT_FALSE(f->IdHTTP1->ProxyParams().BasicAuthentication());
        EXPECT_TRUE(reports.empty());
        Stop();
    }
}

TEST_F(WindowSetTest, AStoredSkinIsAppliedAtStartEvenOneTheListLacksOrAnEmptyName)
{
    WriteConfig("[Skin]\r\nuseSkin=GPlus (internal)\r\n");
    Start();
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"GPlus (internal)");
    EXPECT_EQ(ui::SettingForm->sComboBox1->ItemIndex(), -1);
    Stop();

    // An empty name is handed on as it is, and the manager falls back to its first skin.
    WriteConfig("[Skin]\r\nuseSkin=\r\n");
    Start();
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Acryl (internal)") << "an empty value is not the default";
}

TEST_F(WindowSetTest, APortThatIsNoIntegerIsReportedAtEveryStartWhileStartUpGoesOn)
{
    for (const char* port : {"abc", "", "99999999999"}) {
        SCOPED_TRACE(port);
        WriteConfig(std::string("[Skin]\r\nuseSkin=Zest (internal)\r\n[Proxy]\r\nip=proxy.local\r\nport=") + port +
                    "\r\nuseProxy=1\r\n");
        Start();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0], std::string("'") + port + "' is not a valid integer value");
        // Everything before the conversion happened; the port of the client stays 0.
        EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Zest (internal)");
        EXPECT_EQ(ui::SettingForm->sEdit2->Text(), u"proxy.local");
        EXPECT_EQ(ui::SettingForm->IdHTTP1->ProxyParams().ProxyServer(), u"proxy.local");
        EXPECT_EQ(ui::SettingForm->IdHTTP1->ProxyParams().ProxyPort(), 0);
        ui::Form1->Show();
        tester->Pump();
        EXPECT_TRUE(ui::Form1->Visible());
        reports.clear();
        Stop();
    }
}

TEST_F(WindowSetTest, SavingWritesTheProxyOnlyWhenCheckedAndOtherwiseOnlyTurnsItOff)
{
    WriteConfig("[Proxy]\r\nip=10.0.0.1\r\nport=8080\r\nuseProxy=1\r\n");
    Start();
    ui::TSettingForm* f = ui::SettingForm;
    f->Show();
    tester->Pump();

    f->sEdit2->SetText(u"192.168.7.7");
    f->sEdit3->SetText(u"not a port");
    tester->Click(f->sCheckBox1);
    ASSERT_FALSE(f->sCheckBox1->Checked());
    AnswerNextMessage(u"OK");
    tester->Click(f->sBitBtn1);
    EXPECT_EQ(messages, std::vector<std::string>{SavedMessage});
    EXPECT_EQ(ReadConfig(), "[Proxy]\r\nip=10.0.0.1\r\nport=8080\r\nuseProxy=0\r\n");
    EXPECT_EQ(f->IdHTTP1->ProxyParams().ProxyServer(), u"10.0.0.1") << "the client changes at the next start";

    // Checked, the text goes as typed, unvalidated.
    tester->Click(f->sCheckBox1);
    AnswerNextMessage(u"OK");
    tester->Click(f->sBitBtn1);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(ReadConfig(), "[Proxy]\r\nip=192.168.7.7\r\nport=not a port\r\nuseProxy=1\r\n");
    EXPECT_TRUE(reports.empty());
    Stop();

    // Unchecked after typing: the next start shows the stored address and port again.
    WriteConfig("[Proxy]\r\nip=10.0.0.1\r\nport=8080\r\nuseProxy=1\r\n");
    Start();
    f = ui::SettingForm;
    f->Show();
    tester->Pump();
    f->sEdit2->SetText(u"1.1.1.1");
    f->sEdit3->SetText(u"1");
    tester->Click(f->sCheckBox1);
    AnswerNextMessage(u"OK");
    tester->Click(f->sBitBtn1);
    Stop();
    Start();
    EXPECT_EQ(ui::SettingForm->sEdit2->Text(), u"10.0.0.1");
    EXPECT_EQ(ui::SettingForm->sEdit3->Text(), u"8080");
    EXPECT_FALSE(ui::SettingForm->sCheckBox1->Checked());
}

TEST_F(WindowSetTest, ResetAsksFirstAndOnOkRestoresTheDefaultsAndWritesTheFourKeys)
{
    WriteConfig("[Proxy]\r\nip=10.0.0.1\r\nport=8080\r\nuseProxy=1\r\n[Skin]\r\nuseSkin=Zest (internal)\r\n");
    Start();
    ui::TSettingForm* f = ui::SettingForm;
    f->Show();
    tester->Pump();
    tester->Click(f->sComboBox1);
    tester->Type(u"Wood");
    ASSERT_EQ(f->sComboBox1->Text(), u"Wood (internal)");
    const std::string before = ReadConfig();

    AnswerNextMessage(u"Cancel");
    tester->Click(f->sBitBtn2);
    EXPECT_EQ(titles, std::vector<std::string>{"Информация"});
    EXPECT_EQ(messages, std::vector<std::string>{"Вы дествительно хотите сбросить настройки?"});
    EXPECT_EQ(ReadConfig(), before);
    EXPECT_EQ(f->sEdit2->Text(), u"10.0.0.1");
    EXPECT_TRUE(f->sCheckBox1->Checked());
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Wood (internal)");

    AnswerMessages({u"OK", u"OK"});
    tester->Click(f->sBitBtn2);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2], SavedMessage);
    EXPECT_EQ(f->sEdit2->Text(), u"0");
    EXPECT_EQ(f->sEdit3->Text(), u"0");
    EXPECT_FALSE(f->sCheckBox1->Checked());
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Windows 8 (internal)");
    EXPECT_EQ(ReadConfig(), "[Proxy]\r\nip=0\r\nport=0\r\nuseProxy=0\r\n[Skin]\r\nuseSkin=Windows 8 (internal)\r\n");
    EXPECT_EQ(f->sComboBox1->Text(), u"Wood (internal)") << "the choice stays on show";
    EXPECT_EQ(f->IdHTTP1->ProxyParams().ProxyServer(), u"10.0.0.1");
}

TEST_F(WindowSetTest, ChoosingASkinAppliesAndStoresItAndTextMatchingNoItemStoresTheEmptyName)
{
    Start();
    ui::TSettingForm* f = ui::SettingForm;
    f->Show();
    tester->Pump();
    tester->Click(f->sComboBox1);
    tester->Type(u"Zes");
    EXPECT_EQ(f->sComboBox1->ItemIndex(), 94);
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Zest (internal)");
    EXPECT_EQ(ReadConfig(), "[Skin]\r\nuseSkin=Zest (internal)\r\n");
    EXPECT_TRUE(messages.empty()) << "a skin needs no restart";

    f->sComboBox1->SetText(u"");
    tester->Type(u"Qq");
    EXPECT_EQ(f->sComboBox1->ItemIndex(), -1);
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Acryl (internal)") << "the manager's fallback for no name";
    EXPECT_EQ(ReadConfig(), "[Skin]\r\nuseSkin=\r\n");
    Stop();
    Start();
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Acryl (internal)");
}

TEST_F(WindowSetTest, AWriteThePlatformRefusesIsReportedAndSkipsTheRestOfTheHandler)
{
    // A folder the program cannot write to: a plain file stands where the folder should be, which
    // refuses even a privileged user (a read-only mode would not).
    std::ofstream(folder / "blocked") << "not a folder";
    const String path = platform::Utf8ToUtf16((folder / "blocked" / "Config.ini").string());
    Start(path);
    ui::TSettingForm* f = ui::SettingForm;
    f->Show();
    tester->Pump();
    tester->Click(f->sCheckBox1);
    tester->Click(f->sBitBtn1);
    EXPECT_EQ(reports, std::vector<std::string>{"Unable to write to " + Narrow(path)});
    EXPECT_TRUE(messages.empty()) << "no success message after a refused write";

    reports.clear();
    AnswerNextMessage(u"OK");
    tester->Click(f->sBitBtn2);
    EXPECT_EQ(reports, std::vector<std::string>{"Unable to write to " + Narrow(path)});
    EXPECT_EQ(messages.size(), 1u) << "only the question was shown";
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), u"Windows 8 (internal)");
}
