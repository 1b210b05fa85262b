// The program's seven windows, all shown, switched through every internal skin ten times over
// while the mouse moves from one main-window button to the next between the switches (so that
// fades and glows are running when a skin change comes): after the first round the resident
// memory may grow by less than 1 MB, and once the mouse has left, no glow window and no timer of
// those fades is left.
#include "../WindowSetTester.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "platform/window/Window.h"

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

using namespace uitest;

namespace {

constexpr int Rounds = 10;
constexpr long MemoryGrowthLimit = 1024 * 1024;

// Free heap pages go back to the system first: what the allocator merely keeps cached swings by
// more than a megabyte from round to round and would hide, or fake, a leak.
long ResidentBytes()
{
    ::malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

int GlowWindows()
{
    int count = 0;
    platform::EnumWindows(
        [](platform::HWND hwnd, platform::LPARAM counter) -> platform::BOOL {
            if (platform::GetClassName(hwnd) == skin::GlowFormClassName)
                ++*reinterpret_cast<int*>(counter);
            return true;
        },
        reinterpret_cast<platform::LPARAM>(&count));
    return count;
}

} // namespace

TEST_F(WindowSetTest, TenRoundsOfEveryInternalSkinLeaveNoMemoryGlowOrTimerBehind)
{
    Start();
    // A composing desktop, so that hot buttons of skins with a glow show one.
    platform::headless::Current().SetComposesLayeredWindows(true);
    const std::array<toolkit::TForm*, 7> windows = {ui::AboutForm,  ui::AudioskazkiForm, ui::DonationForm,
                                                    ui::HelpForm,   ui::TVProgrammForm,  ui::SettingForm,
                                                    ui::Form1};
    for (toolkit::TForm* form : windows)
        form->Show();
    tester->Pump();
    std::vector<toolkit::TControl*> buttons;
    for (int i = 0; i < ui::Form1->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<toolkit::TControl*>(ui::Form1->Components(i));
            control && control->Name().find(u"Btn") != toolkit::String::npos)
            buttons.push_back(control);
    ASSERT_EQ(buttons.size(), 6u);
    for (int i = 0; i < ui::Form1->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<toolkit::TControl*>(ui::Form1->Components(i));
            control && control->Name().find(u"SpeedButton") != toolkit::String::npos)
            buttons.push_back(control);
    ASSERT_EQ(buttons.size(), 19u);

    skin::TsSkinManager& manager = *ui::Form1->sSkinManager1;
    const std::size_t timersBefore = platform::headless::TimerCount();
    const int skins = manager.InternalSkins().Count();
    ASSERT_EQ(skins, 97);
    long afterFirstRound = 0, largest = 0;
    int loads = 0, moves = 0, glowsSeen = 0;
    manager.OnSkinLoading = [&loads] { ++loads; };
    for (int round = 0; round < Rounds; ++round) {
        for (int i = 0; i < skins; ++i) {
            toolkit::TControl* button = buttons[std::size_t(moves++) % buttons.size()];
            tester->MouseMove(button, platform::POINT{button->Width() / 2, button->Height() / 2});
            // Half way through a fade to hot.
            tester->Advance(50);
            glowsSeen += GlowWindows() > 0;
            manager.SetSkinName(manager.InternalSkins().Item(i).Name);
            tester->Pump();
        }
        const long resident = ResidentBytes();
        if (round == 0)
            afterFirstRound = resident;
        largest = std::max(largest, resident);
        std::printf("round %d: resident %ld KB\n", round + 1, resident / 1024);
    }
    manager.OnSkinLoading = nullptr;
    EXPECT_EQ(loads, Rounds * skins);
    // Else the run would prove nothing about glows.
    EXPECT_GT(glowsSeen, Rounds * 10) << "hardly any glow showed";
    std::printf("a glow showed before %d of the %d switches\n", glowsSeen, Rounds * skins);
    EXPECT_TRUE(reports.empty()) << reports.front();

    const long growth = ResidentBytes() - afterFirstRound;
    std::printf("resident memory after the first round %ld KB, growth over the other %d rounds %ld KB, largest %ld KB\n",
                afterFirstRound / 1024, Rounds - 1, growth / 1024, largest / 1024);
    RecordProperty("resident_after_first_round_kb", std::to_string(afterFirstRound / 1024));
    RecordProperty("resident_growth_kb", std::to_string(growth / 1024));
    EXPECT_LT(growth, MemoryGrowthLimit);

    // The mouse leaves for the desktop and every fade runs out.
    tester->MoveMouseTo(platform::POINT{1270, 1010});
    tester->Advance(2000);
    EXPECT_EQ(GlowWindows(), 0);
    EXPECT_EQ(skin::LiveGlowCount(), 0);
    EXPECT_EQ(skin::TacThreadedTimer::RunningCount(), 0);
    EXPECT_EQ(platform::headless::TimerCount(), timersBefore);
}
