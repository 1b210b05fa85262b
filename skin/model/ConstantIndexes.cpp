// The indexes painting needs, resolved once per load, the element sizes and the shadow templates.
#include "skin/model/SkinModelBuilder.h"

#include "skin/options/SkinLookups.h"

#include <algorithm>

namespace skin {

namespace {

constexpr int BuiltInShadowSide = 9;

platform::Bitmap CopyArea(const platform::Bitmap& src, const platform::RECT& area)
{
    platform::RECT r;
    if (!platform::IntersectRect(&r, area, src.BoundsRect()))
        return {};
    platform::Bitmap out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        std::copy_n(src.ScanLine(r.top + y) + r.left, r.Width(), out.ScanLine(y));
    return out;
}

// A soft square shadow, darkest in the middle, with BuiltInShadowSide pixels on each side.
platform::Bitmap BuiltInShadow(int maxAlpha)
{
    const int size = 2 * BuiltInShadowSide + 1;
    platform::Bitmap bmp(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int edge = std::min({x, y, size - 1 - x, size - 1 - y});
            const int a = maxAlpha * (edge + 1) * (edge + 1) / ((BuiltInShadowSide + 1) * (BuiltInShadowSide + 1));
            bmp.SetPixel(x, y, platform::MakePixel(0, 0, 0, platform::BYTE(std::min(a, 255))));
        }
    return bmp;
}

} // namespace

int SkinModelBuilder::GlobalElement(std::string_view key) const
{
    return model_.GetMaskIndex(globalInfo_, key);
}

TacConstElementData SkinModelBuilder::ResolveElement(std::string_view name, std::string_view fallback1,
                                                     std::string_view fallback2) const
{
    TacConstElementData d;
    for (std::string_view candidate : {name, fallback1, fallback2}) {
        if (candidate.empty())
            continue;
        d.SkinIndex = model_.GetSkinIndex(candidate);
        if (d.SkinIndex >= 0) {
            d.SkinSection = std::string(candidate);
            break;
        }
    }
    if (d.SkinIndex < 0)
        return d;
    d.MaskIndex = model_.GetMaskIndex(d.SkinIndex, d.SkinSection, "BORDERSMASK");
    d.GlyphIndex = model_.GetMaskIndex(d.SkinIndex, d.SkinSection, "GLYPHMASK");
    d.BGIndex[0] = model_.GetMaskIndex(d.SkinIndex, d.SkinSection, "PATTERN");
    d.BGIndex[1] = model_.GetMaskIndex(d.SkinIndex, d.SkinSection, "HOTPATTERN");
    return d;
}

void SkinModelBuilder::InitConstantIndexes()
{
    TConstantSkinData& c = model_.ConstData;
    c.IndexGLobalInfo = model_.GetSkinIndex(globalInfo_);
    c.CheckBox = {GlobalElement("BOXUNCHECKED"), GlobalElement("BOXCHECKED"), GlobalElement("BOXGRAYED")};
    c.SmallCheckBox = {GlobalElement("SMALLUNCHECKED"), GlobalElement("SMALLCHECKED"), GlobalElement("SMALLGRAYED")};
    c.RadioButton = {GlobalElement("RADIOUNCHECKED"), GlobalElement("RADIOCHECKED")};
    c.ExBorder = GlobalElement("EXBORDER");
    c.GripRightBottom = GlobalElement("GRIPIMAGE");
    c.GripHorizontal = GlobalElement("GRIPHORZ");
    c.GripVertical = GlobalElement("GRIPVERT");

    c.MenuItem = ResolveElement("MENUITEM");
    c.ComboBtn = ResolveElement("COMBOBTN");
    const int combo = model_.GetSkinIndex("COMBOBOX");
    c.ComboBtn.GlyphIndex = model_.GetMaskIndex(combo, "COMBOBOX", "GLYPHMASK");

    for (int layout = 0; layout < 4; ++layout)
        for (int side = 0; side < 4; ++side)
            c.Tabs[std::size_t(layout)][std::size_t(side)] = ResolveElement(TabSectionNames[std::size_t(layout)][std::size_t(side)]);

    for (int i = 0; i < 2; ++i)
        c.Sliders[std::size_t(i)] = ResolveElement(ScrollSliderSectionNames[std::size_t(i)]);
    const int track = model_.GetSkinIndex("TRACKBAR");
    for (int horizontal = 0; horizontal < 2; ++horizontal) {
        TacTrackBarData& t = c.TrackBar[std::size_t(horizontal)];
        t = TacTrackBarData{};
        t.SkinIndex = track;
        if (track < 0)
            continue;
        auto mask = [&](std::string_view prop) { return model_.GetMaskIndex(track, "TRACKBAR", prop); };
        t.MaskIndex = mask("BORDERSMASK");
        t.BGIndex = {mask("PATTERN"), mask("HOTPATTERN")};
        t.SlideIndex = mask("SLIDERCHANNEL");
        if (horizontal) {
            t.GlyphIndex = mask("SLIDERMASK");
            t.TickIndex = mask("TICKHORZ");
            t.ProgIndex = mask("PROGHORZ");
        } else {
            t.GlyphIndex = mask("SLIDERVMASK");
            if (t.GlyphIndex < 0)
                t.GlyphIndex = mask("SLIDERMASK");
            t.TickIndex = mask("TICKVERT");
            t.ProgIndex = mask("PROGVERT");
        }
    }
    for (std::size_t side = 0; side < 4; ++side) {
        c.ScrollBtns[side] = ResolveElement(ScrollBtnSectionNames[side]);
        c.Scrolls[side] = ResolveElement(ScrollBarSectionNames[side]);
        c.UpDownBtns[side] = ResolveElement(UpDownSectionNames[side], "UPDOWNBTN", "BUTTON");
    }

    using TG = TacTitleGlyph;
    for (std::size_t i = 0; i < TitleGlyphKeys.size(); ++i)
        c.TitleGlyphs[i] = GlobalElement(TitleGlyphKeys[i]);
    auto glyph = [&](TG g) -> int& { return c.TitleGlyphs[std::size_t(g)]; };
    if (glyph(TG::tgCloseAlone) < 0)
        glyph(TG::tgCloseAlone) = glyph(TG::tgClose);
    const std::pair<TG, TG> smallToLarge[] = {{TG::tgSmallClose, TG::tgClose}, {TG::tgSmallMax, TG::tgMax},
                                              {TG::tgSmallMin, TG::tgMin}, {TG::tgSmallNormal, TG::tgNormal},
                                              {TG::tgSmallHelp, TG::tgHelp}};
    for (auto [small, large] : smallToLarge)
        if (glyph(small) < 0)
            glyph(small) = glyph(large);

    const int glowCount = std::clamp(GlobalInt("BICONCLOSEGLOW", 0), 0, 255);
    for (std::size_t b = 0; b < c.TitleGlows.size(); ++b)
        c.TitleGlows[b].clear();
    for (std::size_t b = 0; b < GlowingTitleButtons.size(); ++b)
        for (int j = 0; j < glowCount; ++j)
            c.TitleGlows[b].push_back(GlobalElement(std::string(GlowingTitleButtons[b]) + "GLOW" + std::to_string(j)));
    if (glyph(TG::tgCloseAlone) == glyph(TG::tgClose) && glyph(TG::tgClose) >= 0 &&
        GlobalElement("BICLOSEALONE") < 0) {
        c.GlowMargins[0] = c.GlowMargins[1];
        const auto& closeGlows = c.TitleGlows[1];
        c.TitleGlows[0].assign(closeGlows.size(), closeGlows.empty() ? -1 : closeGlows.front());
    }

    for (int s = 0; s < TacSectionCount; ++s)
        c.Sections[std::size_t(s)] = model_.GetSkinIndex(SectionNames[std::size_t(s)]);
    InitMaskIndexes();
    MakeShadowTemplates();
}

void SkinModelBuilder::InitMaskIndexes()
{
    for (std::size_t i = 0; i < model_.gd.size(); ++i) {
        TsGeneralData& g = model_.gd[i];
        if (g.ClassName == globalInfo_)
            continue;
        const int si = int(i);
        auto mask = [&](std::string_view prop) { return model_.GetMaskIndex(si, g.ClassName, prop); };
        g.BorderIndex = mask("BORDERSMASK");
        g.OuterMask = mask("OUTERMASK");
        g.ImgTL = mask("IMGTOPLEFT");
        g.ImgTR = mask("IMGTOPRIGHT");
        g.ImgBL = mask("IMGBTMLEFT");
        g.ImgBR = mask("IMGBTMRIGHT");
        g.Props[0].TextureIndex = model_.GetTextureIndex(si, g.ClassName, "PATTERN");
        if (g.States > 1)
            g.Props[1].TextureIndex = model_.GetTextureIndex(si, g.ClassName, "HOTPATTERN");
        if (g.States > 2 && g.UseState2)
            g.Props[2].TextureIndex = model_.GetTextureIndex(si, g.ClassName, "PATTERN2");
        else
            g.Props[2].TextureIndex = g.Props[1].TextureIndex;
        if (g.BorderIndex < 0) {
            g.ScrollBorderOffset = -2;
        } else {
            const TsMaskData& b = model_.ma[std::size_t(g.BorderIndex)];
            const bool thin = b.WL == 1 && b.WT == 1 && b.WR == 1 && b.WB == 1;
            g.ScrollBorderOffset = (thin && (g.ClassName == "EDIT" || g.ClassName == "ALPHAEDIT")) ? -1 : 0;
        }
    }
    for (TsMaskData& m : model_.ma) {
        m.Width = m.ImageCount == 0 ? 0 : m.R.Width() / m.ImageCount;
        if (m.MaskType == -1)
            m.Height = 0;
        else if (m.MaskType == 0)
            m.Height = m.R.Height();
        else if (m.MaskType == 1)
            m.Height = m.R.Height() / 2;
        else
            m.Height = SafeDiv(m.R.Height(), m.MaskType + 1);
        if (m.ImageCount == 0) {
            auto fill = [&](std::int16_t& w, int size) {
                if (w <= 0)
                    w = std::int16_t(std::clamp(m.BorderWidth > 0 ? int(m.BorderWidth) : size, -32768, 32767));
            };
            fill(m.WL, m.Width);
            fill(m.WR, m.Width);
            fill(m.WT, m.Height);
            fill(m.WB, m.Height);
            m.ImageCount = 1;
        }
    }
}

void SkinModelBuilder::MakeShadowTemplates()
{
    model_.ShdaTemplate = platform::Bitmap();
    model_.ShdiTemplate = platform::Bitmap();
    model_.FormShadowSize = platform::RECT{};
    if (!settings_.ExtendedBorders)
        return;
    const TsSkinData& c = model_.CommonSkinData;
    const int ex = model_.ConstData.ExBorder;
    if (ex >= 0) {
        const TsMaskData& m = model_.ma[std::size_t(ex)];
        const platform::Bitmap& src = model_.SourceBitmap(m);
        const int w = std::max(m.Width, 0), h = std::max(m.Height, 0);
        model_.ShdiTemplate = CopyArea(src, platform::Bounds(m.R.left, m.R.top, w, h));
        model_.ShdaTemplate = m.ImageCount > 1 ? CopyArea(src, platform::Bounds(m.R.left + w, m.R.top, w, h))
                                               : model_.ShdiTemplate;
        if (c.ExDrawMode != 0)
            model_.FormShadowSize = platform::RECT{c.ExContentOffs, c.ExContentOffs, c.ExContentOffs, c.ExContentOffs};
        else
            model_.FormShadowSize = platform::RECT{m.WL - c.ExContentOffs, m.WT - c.ExContentOffs,
                                                   m.WR - c.ExContentOffs, m.WB - c.ExContentOffs};
    } else {
        model_.ShdiTemplate = BuiltInShadow(60);
        model_.ShdaTemplate = BuiltInShadow(110);
        model_.FormShadowSize = platform::RECT{BuiltInShadowSide, BuiltInShadowSide, BuiltInShadowSide, BuiltInShadowSide};
    }
}

SkinModelBuilder::SkinModelBuilder(TsSkinModel& model, const SkinSource& source, SkinIniFile options,
                                   const SkinLoadSettings& settings)
    : model_(model), source_(source), settings_(settings), ini_(std::move(options))
{
}

void SkinModelBuilder::Build()
{
    model_.CommonSkinData.Version = ReadVersion(ini_);
    model_.CommonSkinData.SkinPath = source_.SkinPath;
    LoadAllMasks();
    LoadAllGeneralData();
    InitConstantIndexes();
}

std::unique_ptr<TsSkinModel> TsSkinModel::Load(const SkinSource& source, const SkinLoadSettings& settings)
{
    return Load(source, SkinIniFile(source.OptionsText), settings);
}

std::unique_ptr<TsSkinModel> TsSkinModel::Load(const SkinSource& source, SkinIniFile options,
                                               const SkinLoadSettings& settings)
{
    auto model = std::make_unique<TsSkinModel>();
    SkinModelBuilder(*model, source, std::move(options), settings).Build();
    return model;
}

} // namespace skin
