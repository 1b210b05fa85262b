// A skin change as the user makes it in the settings window: the skin name set on the main
// window's manager, the skin loaded, announced to the seven windows, every window repainted with
// its skinned frame and the screen composed. Once for every internal skin; the skin with the largest package is
// labelled "heaviest".
#include "BenchWindowSet.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/forms/TsSkinProvider.h"
#include "skin/package/InternalSkins.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using bench::BenchWindowSet;

void SwitchSkin(benchmark::State& state, const platform::String& name, bool heaviest)
{
    BenchWindowSet windows;
    // Start from another skin, so that the first change is a real one.
    BenchWindowSet::UseSkin(u"Windows 8 (internal)");
    for (auto _ : state) {
        BenchWindowSet::Manager().SetSkinName(name);
        benchmark::DoNotOptimize(platform::headless::ProcessMessages());
    }
    if (BenchWindowSet::Manager().SkinName() != name || !BenchWindowSet::Manager().Model())
        state.SkipWithError("the skin did not load");
    for (toolkit::TForm* form : BenchWindowSet::Windows()) {
        const skin::TsSkinProvider* provider = skin::TsSkinProvider::Of(form);
        if (!provider || !provider->DrawsFrame())
            state.SkipWithError("a window was switched without its skinned frame");
    }
    if (heaviest)
        state.SetLabel("heaviest");
}

// One benchmark per internal skin, named after it.
const int registered = [] {
    skin::TsStoredSkins catalogue;
    skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
    std::size_t largest = 0;
    for (int i = 0; i < catalogue.Count(); ++i)
        largest = std::max(largest, catalogue.Item(i).PackedData.size());
    for (int i = 0; i < catalogue.Count(); ++i) {
        const platform::String name = catalogue.Item(i).Name;
        const bool heaviest = catalogue.Item(i).PackedData.size() == largest;
        benchmark::RegisterBenchmark(("BM_SkinSwitchOfSevenWindows/" + platform::Utf16ToUtf8(name)).c_str(),
                                     [name, heaviest](benchmark::State& s) { SwitchSkin(s, name, heaviest); })
            ->Unit(benchmark::kMillisecond);
    }
    return catalogue.Count();
}();

} // namespace
