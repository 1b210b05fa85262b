// Skin painting of a main-window button (107 x 36): the whole section of its hot state over a
// panel's picture, from internal skins of different kinds, and the picture sum of one fade step.
#include "assets/skins/EmbeddedSkins.h"
#include "skin/manager/SkinLoading.h"
#include "skin/package/InternalSkins.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SkinRect.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int ButtonWidth = 107, ButtonHeight = 36;

struct Skin {
    std::unique_ptr<skin::TsSkinModel> Model;
    std::string Name;
};

// The internal skin whose BUTTON section costs most to paint: a masked border, a gradient and a
// partly transparent hot state each add a pass; the first skin when none has them.
Skin HeaviestButtonSkin()
{
    skin::TsStoredSkins catalogue;
    skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
    Skin best;
    int bestScore = -1;
    for (int i = 0; i < catalogue.Count(); ++i) {
        skin::ResolvedSkin where;
        where.Kind = skin::SkinSourceKind::Internal;
        where.Name = catalogue.Item(i).Name;
        where.Index = i;
        skin::SkinLoadMessages quiet;
        quiet.ShowPlainError = [](const std::string&) {};
        quiet.ShowPlainWarning = [](const std::string&) {};
        auto model = skin::LoadResolvedSkin(where, catalogue, u"/nonexistent/", skin::SkinLoadSettings{}, quiet);
        const int b = model ? model->GetSkinIndex("BUTTON") : -1;
        if (b < 0)
            continue;
        const skin::TsGeneralData& g = model->gd[std::size_t(b)];
        const skin::TsGenState& hot = g.Props[1];
        int score = 0;
        if (model->IsValidImgIndex(g.BorderIndex))
            score += model->ma[std::size_t(g.BorderIndex)].MaskType > 0 ? 3 : 1;
        score += hot.GradientPercent > 0 ? 2 : 0;
        score += hot.ImagePercent > 0 ? 2 : 0;
        score += hot.Transparency > 0 && hot.Transparency < 100 ? 2 : 0;
        if (score > bestScore) {
            bestScore = score;
            best.Model = std::move(model);
            best.Name = platform::Utf16ToUtf8(catalogue.Item(i).Name);
        }
    }
    return best;
}

const Skin& ButtonSkin()
{
    static const Skin skin = HeaviestButtonSkin();
    return skin;
}

void BM_PaintItemButton(benchmark::State& state)
{
    const Skin& s = ButtonSkin();
    if (!s.Model) {
        state.SkipWithError("no internal skin has a BUTTON section");
        return;
    }
    const skin::TsSkinModel& model = *s.Model;
    const int button = model.GetSkinIndex("BUTTON");
    // The panel under the button, finished as its cache would be.
    platform::Bitmap panel(400, 120);
    skin::ItemPaintArgs panelArgs;
    panelArgs.R = panel.BoundsRect();
    skin::PaintItem(model, model.GetSkinIndex("PANEL"), panelArgs, panel);

    platform::Bitmap cache(ButtonWidth, ButtonHeight);
    skin::ItemPaintArgs args;
    args.CI = skin::TCacheInfo{&panel, 0, 0, skin::clFuchsia, {}, true};
    args.State = 1;
    args.R = cache.BoundsRect();
    args.Offset = {40, 30};
    args.UpdateCorners = true;
    for (auto _ : state) {
        skin::PaintItem(model, button, args, cache);
        benchmark::DoNotOptimize(cache.Data());
    }
    state.SetLabel(s.Name);
}
BENCHMARK(BM_PaintItemButton)->Unit(benchmark::kMicrosecond);

void BM_SumBmpRectButton(benchmark::State& state)
{
    platform::Bitmap from(ButtonWidth, ButtonHeight), to(ButtonWidth, ButtonHeight);
    from.Fill(platform::MakePixel(200, 180, 160));
    to.Fill(platform::MakePixel(20, 40, 60));
    int w = 0;
    for (auto _ : state) {
        skin::SumBmpRect(from, to, w, to.BoundsRect(), {0, 0});
        w = (w + 25) & 0xFF;
        benchmark::DoNotOptimize(from.Data());
    }
}
BENCHMARK(BM_SumBmpRectButton)->Unit(benchmark::kMicrosecond);

} // namespace
