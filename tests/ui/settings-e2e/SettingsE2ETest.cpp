// The settings window under the real mouse and keyboard: the proxy fields typed and saved to
// Config.ini; a skin picked in the drop-down list after scrolling it with the wheel and with the
// scroll bar's arrows (a click, and a press held until it repeats); a skin picked by typing the
// start of its name; each pick re-skinning the main and the settings window at once, read back
// from the screen against the colours of the skin now loaded, and stored as useSkin. Each test
// stands alone (ctest runs each in a process of its own); run as one program they share one
// window set, in this order.
#include "SettingsSession.h"

#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/SectionColor.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Window.h"
#include "toolkit/FormTester.h"
#include "toolkit/TComboDropList.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TSettingForm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>

namespace settingse2e {
namespace {

using namespace platform;

// The value of key in section of an INI text; nullopt when it is not there.
std::optional<std::string> IniValue(const std::string& text, const std::string& section, const std::string& key)
{
    std::istringstream lines(text);
    std::string line, current;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 1 && line.front() == '[' && line.back() == ']')
            current = line.substr(1, line.size() - 2);
        else if (current == section && line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

// Colours that a look is known by: the main window's title and a panel, and the settings
// window's title and page.
struct Look {
    COLORREF mainTitle = 0, panel = 0, title = 0, page = 0;
};

// What the skin loaded now paints those places with, from its own sections.
Look SkinLook(bool mainActive, bool settingsActive)
{
    const skin::TsSkinModel* model = ui::Form1->sSkinManager1->Model();
    if (!model)
        return {};
    auto color = [&](const char* section, int state) {
        return COLORREF(skin::SectionColor(*model, model->GetSkinIndex(section), state, model->GetGlobalColor()));
    };
    // The title's states are the inactive and the active window's.
    return Look{color("FORMTITLE", mainActive ? 1 : 0), color("PANEL", 0), color("FORMTITLE", settingsActive ? 1 : 0),
                color("PAGECONTROL", 0)};
}

// The same places on the screen.
POINT PanelPoint() { return ScreenPointOf(ui::Form1->sPanel2, POINT{460, 20}); }
POINT PagePoint() { return ScreenPointOf(ui::SettingForm->sTabSheet2, POINT{60, 240}); }
// Between the caption's text and the title's buttons.
POINT TitlePoint(toolkit::TWinControl* form)
{
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const POINT client = ScreenPointOf(form, POINT{0, 0});
    return POINT{window.left + (window.right - window.left) * 11 / 20, (window.top + client.y) / 2};
}

Look ScreenLook()
{
    return Look{ScreenColor(TitlePoint(ui::Form1)), ScreenColor(PanelPoint()), ScreenColor(TitlePoint(ui::SettingForm)),
                ScreenColor(PagePoint())};
}

bool Close(COLORREF a, COLORREF b)
{
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= 2 && std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= 2 &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= 2;
}

std::string Hex(COLORREF c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

class SettingsOnScreen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SessionProblem(), ""); }

    // Both windows show the skin now loaded (named name) without a restart: the screen's colours
    // at the four places are those the skin's sections give (the titles in the state of their
    // window's activation), and they differ from the look before, so that an unchanged screen
    // cannot pass.
    static void ExpectWindowsInSkin(const std::string& name, const Look& before, const std::string& picture)
    {
        EXPECT_EQ(Utf16ToUtf8(ui::Form1->sSkinManager1->SkinName()), name);
        const HWND active = GetForegroundWindow();
        const Look wanted = SkinLook(active == ui::Form1->Handle(), active == ui::SettingForm->Handle());
        ASSERT_FALSE(Close(wanted.mainTitle, before.mainTitle) || Close(wanted.panel, before.panel) ||
                     Close(wanted.title, before.title) || Close(wanted.page, before.page))
            << name << " looks like the skin before it: the test would prove nothing";
        PumpUntil(
            [&] {
                const Look seen = ScreenLook();
                return Close(seen.mainTitle, wanted.mainTitle) && Close(seen.panel, wanted.panel) &&
                       Close(seen.title, wanted.title) && Close(seen.page, wanted.page);
            },
            5000);
        SaveScreen(picture);
        const Look seen = ScreenLook();
        EXPECT_TRUE(Close(seen.mainTitle, wanted.mainTitle)) << "main window's title shows " << Hex(seen.mainTitle)
                                                             << ", the skin's FORMTITLE is " << Hex(wanted.mainTitle);
        EXPECT_TRUE(Close(seen.panel, wanted.panel))
            << "main window's panel shows " << Hex(seen.panel) << ", the skin's PANEL is " << Hex(wanted.panel);
        EXPECT_TRUE(Close(seen.title, wanted.title))
            << "settings title shows " << Hex(seen.title) << ", the skin's FORMTITLE is " << Hex(wanted.title);
        EXPECT_TRUE(Close(seen.page, wanted.page))
            << "settings page shows " << Hex(seen.page) << ", the skin's PAGECONTROL is " << Hex(wanted.page);
    }

    static void OpenSettings()
    {
        if (IsWindowVisible(ui::SettingForm->Handle()))
            return;
        ClickAt(ScreenPointOf(ui::Form1->sSpeedButton4));
        ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(ui::SettingForm->Handle()); }, 5000))
            << "the settings button did not show the settings window";
        Pump(300);
    }

    // Clicks into an edit, selects all of it and types text over it.
    static void TypeInto(toolkit::TControl* edit, const std::string& text)
    {
        ClickAt(ScreenPointOf(edit));
        Pump(100);
        Key("ctrl+a");
        Type(text);
        Pump(300);
    }
};

TEST_F(SettingsOnScreen, ProxyAddressAndPortTypedWithTheKeyboardAreSavedToConfigIni)
{
    OpenSettings();
    ui::TSettingForm* form = ui::SettingForm;
    EXPECT_EQ(ConfigText(), "") << "a first start wrote Config.ini before any change";

    TypeInto(form->sEdit2, "10.20.30.40");
    TypeInto(form->sEdit3, "3128");
    EXPECT_EQ(Utf16ToUtf8(form->sEdit2->Text()), "10.20.30.40");
    EXPECT_EQ(Utf16ToUtf8(form->sEdit3->Text()), "3128");
    ClickAt(ScreenPointOf(form->sCheckBox1, POINT{8, form->sCheckBox1->Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return form->sCheckBox1->Checked(); }, 3000)) << "the click did not check the box";

    MessageAnswerer answerer;
    ClickAt(ScreenPointOf(form->sBitBtn1));
    ASSERT_TRUE(PumpUntil([&] { return !answerer.Texts().empty(); }, 5000)) << "saving showed no message";
    PumpUntil([] { return toolkit::FormTester::ActiveModalWindow() == nullptr; }, 3000);
    EXPECT_EQ(answerer.Texts().front(), Utf16ToUtf8(ui::SettingsChangedMessage));

    const std::string config = ConfigText();
    EXPECT_EQ(IniValue(config, "Proxy", "ip"), "10.20.30.40") << config;
    EXPECT_EQ(IniValue(config, "Proxy", "port"), "3128") << config;
    EXPECT_EQ(IniValue(config, "Proxy", "useProxy"), "1") << config;
    // Saving the proxy stores no skin: only a pick in the list does.
    EXPECT_EQ(IniValue(config, "Skin", "useSkin"), std::nullopt) << config;
}

TEST_F(SettingsOnScreen, ASkinPickedWithTheMouseInTheScrolledListReskinsEveryWindowAtOnceAndIsStored)
{
    OpenSettings();
    skin::TsComboBox* combo = ui::SettingForm->sComboBox1;
    const Look before = ScreenLook();
    // Far down the list, and of plain colours (no texture or gradient on titles and panels), so
    // that one pixel shows the section's colour; likewise the keyboard's pick below.
    const int target = 72;
    const std::string targetName = "Terminal4bit (internal)";
    ASSERT_EQ(Utf16ToUtf8(combo->Items()->Strings(target)), targetName);

    // The button opens the list at its start: 16 of the 95 names, the target not among them.
    const toolkit::TRect button = combo->ButtonRect();
    ClickAt(ScreenPointOf(combo, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown() && combo->ListWindow()->IsShowing(); }, 3000))
        << "the button did not drop the list down";
    toolkit::TComboDropList* list = combo->ListWindow();
    Pump(200);
    EXPECT_EQ(list->TopIndex(), 0);
    EXPECT_EQ(list->VisibleCount(), 16);

    // The wheel over the list: three names a notch.
    MoveMouse(ScreenPointOf(list, POINT{40, list->ClientHeight() / 2}));
    for (int notch = 0; notch < 15; ++notch) {
        Xdotool("click 5");
        Pump(30);
    }
    EXPECT_TRUE(PumpUntil([&] { return list->TopIndex() == 45; }, 3000))
        << "fifteen notches of the wheel scrolled the list to " << list->TopIndex();

    // The skinned bar's arrows: a click scrolls one name, a held press repeats.
    const toolkit::DrawnScrollBar bar = list->ScrollBar();
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int barX = (bar.bounds.left + bar.bounds.right) / 2;
    const POINT down = ScreenPointOf(list, POINT{barX, bar.bounds.bottom - arrow / 2});
    const POINT up = ScreenPointOf(list, POINT{barX, bar.bounds.top + arrow / 2});
    int from = list->TopIndex();
    ClickAt(down);
    EXPECT_TRUE(PumpUntil([&] { return list->TopIndex() == from + 1; }, 2000)) << "the down arrow's click";
    Pump(400);
    EXPECT_EQ(list->TopIndex(), from + 1) << "a click repeated";

    from = list->TopIndex();
    MoveMouse(down);
    MouseDown();
    const auto pressed = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point second{};
    int last = from;
    PumpUntil(
        [&] {
            const int now = list->TopIndex();
            if (now >= from + 2 && last < from + 2)
                second = std::chrono::steady_clock::now();
            last = now;
            return now >= target - 14;
        },
        5000);
    MouseUp();
    Pump(50);
    const int held = list->TopIndex();
    EXPECT_GE(held, target - 14) << "holding the down arrow did not repeat";
    if (second != std::chrono::steady_clock::time_point{}) {
        EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(second - pressed).count(), 250)
            << "the repeat began before its first delay";
    }
    Pump(400);
    EXPECT_EQ(list->TopIndex(), held) << "the list went on scrolling after the release";

    ClickAt(up);
    EXPECT_TRUE(PumpUntil([&] { return list->TopIndex() == held - 1; }, 2000)) << "the up arrow's click";
    ASSERT_TRUE(list->IsShowing()) << "the arrows closed the list";
    ASSERT_TRUE(target >= list->TopIndex() && target < list->TopIndex() + list->VisibleCount())
        << "the target is not in view at " << list->TopIndex();

    MessageAnswerer answerer;
    const toolkit::TRect item = list->ItemRect(target);
    ClickAt(ScreenPointOf(list, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }, 3000)) << "the click on the name left the list open";
    EXPECT_EQ(Utf16ToUtf8(combo->Text()), targetName);
    EXPECT_EQ(combo->ItemIndex(), target);
    ExpectWindowsInSkin(targetName, before, "settings-e2e-mouse-pick.png");
    EXPECT_EQ(IniValue(ConfigText(), "Skin", "useSkin"), targetName) << ConfigText();
    EXPECT_TRUE(answerer.Texts().empty()) << "a skin pick showed: " << answerer.Texts().front();
}

TEST_F(SettingsOnScreen, ASkinPickedByTypingTheStartOfItsNameReskinsEveryWindowAndIsStored)
{
    OpenSettings();
    skin::TsComboBox* combo = ui::SettingForm->sComboBox1;
    const Look before = ScreenLook();
    const std::string targetName = "DarkMetro (internal)";

    // The edit part, left of the button, takes the focus without opening the list.
    TypeInto(combo, "DarkM");
    EXPECT_EQ(Utf16ToUtf8(combo->Text()), targetName) << "typing did not complete the name";
    Key("Return");
    Pump(300);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(Utf16ToUtf8(combo->Text()), targetName);
    EXPECT_EQ(combo->ItemIndex(), combo->Items()->IndexOf(Utf8ToUtf16(targetName)));
    ExpectWindowsInSkin(targetName, before, "settings-e2e-keyboard-pick.png");
    EXPECT_EQ(IniValue(ConfigText(), "Skin", "useSkin"), targetName) << ConfigText();
}

} // namespace
} // namespace settingse2e
