// Hue, saturation and brightness changes of a loaded skin, applied to its pictures, its section
// colours and part of its palette. Fuchsia pixels and "none" colours never change.
#include "skin/model/SkinModelBuilder.h"

#include "skin/model/SkinColors.h"

#include <algorithm>
#include <functional>

namespace skin {

namespace {

using PC = TacPaletteColors;

constexpr PC AdjustedPaletteEntries[] = {
    PC::pcMainColor, PC::pcLabelText, PC::pcWebText, PC::pcEditText, PC::pcEditBG, PC::pcSelectionBG,
    PC::pcSelectionText, PC::pcSelectionBG_Focused, PC::pcSelectionText_Focused, PC::pcEditBG_Inverted,
    PC::pcEditText_Inverted, PC::pcEditBG_OddRow, PC::pcEditBG_EvenRow, PC::pcBorder, PC::pcHintBG, PC::pcHintText,
};

void ForEachStateColor(TsSkinModel& model, bool gradientsOnlyWhenUsed, const std::function<int(int)>& change)
{
    for (TsGeneralData& g : model.gd) {
        for (TsGenState& s : g.Props) {
            s.Color = change(s.Color);
            s.GlowColor = change(s.GlowColor);
            for (int* c : {&s.FontColor.Color, &s.FontColor.Left, &s.FontColor.Top, &s.FontColor.Right,
                           &s.FontColor.Bottom})
                *c = change(*c);
            if (!gradientsOnlyWhenUsed || s.GradientPercent > 0)
                for (TsGradPie& pie : s.GradientArray) {
                    pie.Color1 = change(pie.Color1);
                    pie.Color2 = change(pie.Color2);
                }
        }
    }
}

// A copy of part of a bitmap, to be put back after a change.
struct SavedArea {
    platform::Bitmap* Target;
    platform::RECT Area;
    platform::Bitmap Pixels;
};

SavedArea Save(platform::Bitmap& bitmap, const platform::RECT& area)
{
    SavedArea saved{&bitmap, {}, {}};
    if (!platform::IntersectRect(&saved.Area, area, bitmap.BoundsRect()))
        return saved;
    saved.Pixels = platform::Bitmap(saved.Area.Width(), saved.Area.Height());
    for (int y = 0; y < saved.Area.Height(); ++y)
        std::copy_n(bitmap.ScanLine(saved.Area.top + y) + saved.Area.left, saved.Area.Width(), saved.Pixels.ScanLine(y));
    return saved;
}

void Restore(const SavedArea& saved)
{
    for (int y = 0; y < saved.Pixels.Height(); ++y)
        std::copy_n(saved.Pixels.ScanLine(y), saved.Pixels.Width(), saved.Target->ScanLine(saved.Area.top + y) + saved.Area.left);
}

} // namespace

void SkinModelBuilder::ApplyColorAdjustments()
{
    AdjustHue();
    AdjustSaturation();
    AdjustBrightness();
    for (TsGeneralData& g : model_.gd) {
        g.GlowColor = g.Props[0].GlowColor;
        g.HotGlowColor = g.Props[1].GlowColor;
    }
}

void SkinModelBuilder::AdjustHue()
{
    const int offset = settings_.HueOffset;
    if (offset == 0)
        return;
    // Title glyphs that keep their hue: their master-bitmap rectangles are put back afterwards,
    // their external pictures are left out.
    std::vector<std::string_view> keep;
    const int keepHue = model_.CommonSkinData.BIKeepHUE;
    if (keepHue >= 1)
        keep = {"BICONCLOSE", "BICLOSEALONE", "SICONCLOSE"};
    if (keepHue == 1)
        keep.insert(keep.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN", "SICONNORM"});
    std::vector<SavedArea> saved;
    std::vector<const platform::Bitmap*> untouched;
    for (std::string_view key : keep) {
        const int i = model_.GetMaskIndex(globalInfo_, key);
        if (i < 0)
            continue;
        const TsMaskData& m = model_.ma[std::size_t(i)];
        if (m.Bmp)
            untouched.push_back(m.Bmp);
        else
            saved.push_back(Save(model_.MasterBitmap, m.R));
    }
    ChangeHue(model_.MasterBitmap, model_.MasterBitmap.BoundsRect(), offset);
    for (const SavedArea& s : saved)
        Restore(s);
    for (TacExtFileData& ext : model_.ExtArray)
        if (std::find(untouched.begin(), untouched.end(), ext.Bmp.get()) == untouched.end())
            ChangeHue(*ext.Bmp, ext.Bmp->BoundsRect(), offset);

    auto change = [offset](int c) { return ChangeHue(c, offset); };
    ForEachStateColor(model_, true, change);
    model_.CommonSkinData.Shadow1Color = change(model_.CommonSkinData.Shadow1Color);
    for (PC e : AdjustedPaletteEntries)
        model_.Palette[int(e)] = change(model_.Palette[int(e)]);
}

void SkinModelBuilder::AdjustSaturation()
{
    const int saturation = settings_.Saturation;
    if (saturation == 0)
        return;
    ChangeSaturation(model_.MasterBitmap, model_.MasterBitmap.BoundsRect(), saturation);
    for (TacExtFileData& ext : model_.ExtArray)
        ChangeSaturation(*ext.Bmp, ext.Bmp->BoundsRect(), saturation);
    auto change = [saturation](int c) { return ChangeSaturation(c, saturation); };
    ForEachStateColor(model_, false, change);
    model_.CommonSkinData.Shadow1Color = change(model_.CommonSkinData.Shadow1Color);
    for (PC e : AdjustedPaletteEntries)
        model_.Palette[int(e)] = change(model_.Palette[int(e)]);
}

void SkinModelBuilder::AdjustBrightness()
{
    const int b = settings_.Brightness;
    if (b == 0)
        return;
    // Masks are alpha information, not colours: they keep their values.
    std::vector<SavedArea> saved;
    for (const TsMaskData& m : model_.ma)
        if (!m.Bmp && m.MaskType == 1) {
            const int half = m.R.Height() / 2;
            saved.push_back(Save(model_.MasterBitmap, platform::RECT{m.R.left, m.R.top + half, m.R.right, m.R.bottom}));
        }
    for (TacExtFileData& ext : model_.ExtArray)
        if (ext.MaskType != 0) {
            const int half = ext.Bmp->Height() / 2;
            saved.push_back(Save(*ext.Bmp, platform::RECT{0, half, ext.Bmp->Width(), ext.Bmp->Height()}));
        }
    ChangeBrightness(model_.MasterBitmap, model_.MasterBitmap.BoundsRect(), b);
    for (TacExtFileData& ext : model_.ExtArray)
        ChangeBrightness(*ext.Bmp, ext.Bmp->BoundsRect(), b);
    for (const SavedArea& s : saved)
        Restore(s);
    if (b > 0 && model_.CommonSkinData.Version >= 7.45)
        for (TacExtFileData& ext : model_.ExtArray)
            if (ext.MaskType == 0)
                PremultiplyBitmap(*ext.Bmp);
    ForEachStateColor(model_, false, [b](int c) { return ChangeBrightness(c, b); });
}

} // namespace skin
