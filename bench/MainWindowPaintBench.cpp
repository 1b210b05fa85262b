// The main window's painting in the heaviest internal skin and in the default one: a full repaint
// (every control's cache rebuilt from the skin, as a skin refresh asks, then painted and
// composed), a repaint from the caches alone, and one step of the fade of a 107 x 36 source button
// as its timer runs it (the two pictures mixed, drawn into the button's window, the screen
// composed).
#include "BenchWindowSet.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/manager/SkinMessages.h"
#include "skin/package/InternalSkins.h"

#include "skin/effects/TacThreadedTimer.h"

#include "platform/window/Message.h"
#include "platform/window/Paint.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using bench::BenchWindowSet;
using namespace platform;

platform::String HeaviestSkin()
{
    skin::TsStoredSkins catalogue;
    skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
    int heaviest = 0;
    for (int i = 1; i < catalogue.Count(); ++i)
        if (catalogue.Item(i).PackedData.size() > catalogue.Item(heaviest).PackedData.size())
            heaviest = i;
    return catalogue.Item(heaviest).Name;
}

platform::String SkinOf(int which) { return which == 0 ? HeaviestSkin() : u"Windows 8 (internal)"; }

BOOL Collect(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return true;
}

void BM_FullRepaintOfTheMainWindow(benchmark::State& state)
{
    BenchWindowSet windows;
    const platform::String skin = SkinOf(int(state.range(0)));
    if (!BenchWindowSet::UseSkin(skin)) {
        state.SkipWithError("the skin did not load");
        return;
    }
    // Only the main window above the others, as the user sees it.
    for (toolkit::TForm* form : BenchWindowSet::Windows())
        if (form != ui::Form1)
            form->Hide();
    headless::ProcessMessages();
    const HWND main = ui::Form1->Handle();
    std::vector<HWND> targets{main};
    EnumChildWindows(main, Collect, reinterpret_cast<LPARAM>(&targets));
    const LPARAM manager = reinterpret_cast<LPARAM>(&BenchWindowSet::Manager());
    for (auto _ : state) {
        for (HWND hwnd : targets)
            SendMessage(hwnd, skin::SM_VELTACMD, skin::AcCommand(skin::AC_REFRESH), manager);
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        benchmark::DoNotOptimize(headless::ProcessMessages());
    }
    state.SetLabel(platform::Utf16ToUtf8(skin));
}
BENCHMARK(BM_FullRepaintOfTheMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RepaintOfTheMainWindowFromItsCaches(benchmark::State& state)
{
    BenchWindowSet windows;
    const platform::String skin = SkinOf(int(state.range(0)));
    if (!BenchWindowSet::UseSkin(skin)) {
        state.SkipWithError("the skin did not load");
        return;
    }
    for (toolkit::TForm* form : BenchWindowSet::Windows())
        if (form != ui::Form1)
            form->Hide();
    headless::ProcessMessages();
    for (auto _ : state) {
        RedrawWindow(ui::Form1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        benchmark::DoNotOptimize(headless::ProcessMessages());
    }
    state.SetLabel(platform::Utf16ToUtf8(skin));
}
BENCHMARK(BM_RepaintOfTheMainWindowFromItsCaches)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_FadeStepOfASourceButton(benchmark::State& state)
{
    BenchWindowSet windows;
    const platform::String skin = SkinOf(int(state.range(0)));
    if (!BenchWindowSet::UseSkin(skin)) {
        state.SkipWithError("the skin did not load");
        return;
    }
    for (toolkit::TForm* form : BenchWindowSet::Windows())
        if (form != ui::Form1)
            form->Hide();
    headless::ProcessMessages();
    skin::TsBitBtn* button = ui::Form1->sBitBtn2;
    const POINT over = button->ClientToScreen(POINT{53, 18});
    const POINT away = ui::Form1->ClientToScreen(POINT{300, 300});
    bool hot = false;
    for (auto _ : state) {
        skin::TacThreadedTimer* timer = button->SkinData()->AnimTimer.get();
        if (!timer || !timer->Running()) {
            // A new fade, the other way: its start (the new cache picture) is not a step.
            state.PauseTiming();
            hot = !hot;
            headless::MouseMove(hot ? over : away);
            headless::ProcessMessages();
            // The mouse leaving a windowed control is noticed by the manager's hot-control timer.
            timer = button->SkinData()->AnimTimer.get();
            for (int wait = 0; wait < 30 && !(timer && timer->Running()); ++wait) {
                headless::AdvanceClock(skin::acTimerInterval);
                headless::ProcessMessages();
                timer = button->SkinData()->AnimTimer.get();
            }
            state.ResumeTiming();
            timer = button->SkinData()->AnimTimer.get();
            if (!timer || !timer->Running()) {
                state.SkipWithError("the button does not fade");
                break;
            }
        }
        headless::AdvanceClock(skin::acTimerInterval);
        benchmark::DoNotOptimize(headless::ProcessMessages());
    }
    state.SetLabel(platform::Utf16ToUtf8(skin) + ", " + std::to_string(button->Width()) + " x " +
                   std::to_string(button->Height()));
}
BENCHMARK(BM_FadeStepOfASourceButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
