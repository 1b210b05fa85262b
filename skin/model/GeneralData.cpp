// The sections of a skin, its global values, outer effects and palette.
#include "skin/model/SkinModelBuilder.h"

#include "skin/model/SkinColors.h"
#include "skin/options/SkinLookups.h"
#include "skin/package/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace skin {

namespace {

using PC = TacPaletteColors;

// The key of a per-state property: the normal key, "HOT" before it, "2" after it.
std::string StateKey(std::string_view base, int state)
{
    if (state == 0)
        return std::string(base);
    if (state == 2)
        return std::string(base) + "2";
    if (base == "GCOL")
        return "HGCOL";
    if (base == "GSIZE")
        return "HGSIZE";
    return "HOT" + std::string(base);
}

// The side length of the generated outer-effect mask: its border is half of it.
constexpr int Blur5Size = 10;

} // namespace

int SkinModelBuilder::GlobalInt(std::string_view key, int def) const
{
    return ini_.ReadInteger(globalInfo_, key, def);
}

double SkinModelBuilder::ReadVersion(const SkinIniFile& ini)
{
    std::string text = ini.ReadString("GLOBALINFO", "VERSION", "");
    double version = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, version, std::chars_format::fixed);
    // from_chars takes "inf" and "nan" too; a version is a finite number or junk, read as 0.
    return ec == std::errc() && ptr == end && std::isfinite(version) ? version : 0;
}

TsGenState SkinModelBuilder::FillProps(const SkinIniFile& ini, std::string_view section, int state)
{
    TsGenState s;
    s.Color = FindInteger(ini, section, StateKey("COLOR", state), 16777215);
    s.FontColor.Color = FindInteger(ini, section, StateKey("FONTCOLOR", state), 0);
    s.FontColor.Left = FindInteger(ini, section, StateKey("TCLEFT", state), -1);
    s.FontColor.Top = FindInteger(ini, section, StateKey("TCTOP", state), -1);
    s.FontColor.Right = FindInteger(ini, section, StateKey("TCRIGHT", state), -1);
    s.FontColor.Bottom = FindInteger(ini, section, StateKey("TCBOTTOM", state), -1);
    s.GlowColor = FindInteger(ini, section, StateKey("GCOL", state), 16777215);
    s.GlowSize = FindInteger(ini, section, StateKey("GSIZE", state), 0);
    s.GradientPercent = FindInteger(ini, section, StateKey("GRADIENTPERCENT", state), 0);
    s.ImagePercent = FindInteger(ini, section, StateKey("IMAGEPERCENT", state), 0);
    s.Transparency = FindInteger(ini, section, StateKey("TRANSPARENCY", state), 0);
    const std::string gradient = FindString(ini, section, StateKey("GRADIENTDATA", state), " ");
    if (gradient.size() < 3)
        s.GradientPercent = 0;
    else
        s.GradientArray = ParseGradientData(gradient);
    return s;
}

TsGeneralData SkinModelBuilder::ReadSection(const SkinIniFile& ini, std::string_view name)
{
    TsGeneralData g;
    g.ClassName = std::string(name);
    g.ParentClass = ini.ReadString(name, "PARENTCLASS", "");
    g.ReservedBoolean = FindBoolean(ini, name, "RESERVEDBOOLEAN", false);
    g.GiveOwnFont = FindBoolean(ini, name, "GIVEOWNFONT", false);
    g.GlowCount = FindInteger(ini, name, "GLOW", 0, 255);
    g.GlowMargin = FindInteger(ini, name, "GLOWMARGIN", 0, 255);
    g.States = FindInteger(ini, name, "STATES", 3, 255);
    g.OuterOffset = platform::RECT{FindInteger(ini, name, "OUTOFFSL", 0, 255), FindInteger(ini, name, "OUTOFFST", 0, 255),
                                   FindInteger(ini, name, "OUTOFFSR", 0, 255), FindInteger(ini, name, "OUTOFFSB", 0, 255)};
    g.OuterOpacity = FindInteger(ini, name, "OUTOPACITY", 200, 255);
    g.OuterMode = FindInteger(ini, name, "OUTERMODE", 2);
    g.Props[0] = FillProps(ini, name, 0);
    g.Props[1] = g.States >= 2 ? FillProps(ini, name, 1) : g.Props[0];
    g.UseState2 = FindInteger(ini, name, "USESTATE2", 0) == 1;
    g.Props[2] = g.UseState2 ? FillProps(ini, name, 2) : g.Props[1];
    return g;
}

void SkinModelBuilder::LoadOuterEffect(TacOutEffData& e, std::string_view prefix, const int (&d)[8], int defaultOpacity)
{
    const std::string p(prefix);
    e.ColorL = GlobalInt(p + "COLORL", d[0]);
    e.ColorT = GlobalInt(p + "COLORT", d[1]);
    e.ColorR = GlobalInt(p + "COLORR", d[2]);
    e.ColorB = GlobalInt(p + "COLORB", d[3]);
    e.WidthL = GlobalInt(p + "WIDTHL", -1);
    e.WidthT = GlobalInt(p + "WIDTHT", -1);
    e.WidthR = GlobalInt(p + "WIDTHR", -1);
    e.WidthB = GlobalInt(p + "WIDTHB", -1);
    e.OffsetL = GlobalInt(p + "OFFSETL", d[4]);
    e.OffsetT = GlobalInt(p + "OFFSETT", d[5]);
    e.OffsetR = GlobalInt(p + "OFFSETR", d[6]);
    e.OffsetB = GlobalInt(p + "OFFSETB", d[7]);
    e.Source = GlobalInt(p + "SOURCE", 2);
    e.Opacity = GlobalInt(p + "OPACITY", defaultOpacity);
}

void SkinModelBuilder::MakeOuterMask(TacOutEffData& e, std::string_view prefix)
{
    e.Mask = -1;
    const std::string key = std::string(prefix) + "MASK";
    TsMaskData m;
    m.ClassName = globalInfo_;
    m.PropertyName = key;
    m.SkinIndex = ini_.IndexOfSection(globalInfo_);
    m.ImgType = TacImgType::itisaBorder;
    if (e.Source == 0)
        return;
    if (e.Source == 1) {
        const std::string value = UpperAscii(ini_.ReadString(globalInfo_, key, ""));
        if (value.empty())
            return;
        BorderValue b;
        try {
            b = ParseBorderValue(value);
        } catch (const std::exception& error) {
            ThrowWithContext(error, globalInfo_, key);
        }
        m.R = b.R;
        m.WL = std::int16_t(b.WL);
        m.WT = std::int16_t(b.WT);
        m.WR = std::int16_t(b.WR);
        m.WB = std::int16_t(b.WB);
        m.ImageCount = std::int16_t(b.ImageCount);
        m.MaskType = std::int16_t(b.MaskType);
        m.DrawMode = std::int16_t(b.DrawMode);
        m.BorderWidth = std::int16_t(b.BorderWidth);
        m.CornerType = 0;
        e.Mask = model_.AddMask(std::move(m));
        return;
    }
    // A mask drawn from the built-in blur picture: the side colours above, the blur below.
    const int w = Blur5Size, half = w / 2;
    for (int* width : {&e.WidthL, &e.WidthT, &e.WidthR, &e.WidthB})
        if (*width == -1)
            *width = half;
    auto bmp = std::make_unique<platform::Bitmap>(w, 2 * w);
    for (int y = 0; y < w; ++y) {
        for (int x = 0; x < w; ++x) {
            // The upper square is split along its diagonals into the four sides.
            const int fromTop = y, fromBottom = w - 1 - y, fromLeft = x, fromRight = w - 1 - x;
            const int nearest = std::min({fromTop, fromBottom, fromLeft, fromRight});
            const int color = nearest == fromTop ? e.ColorT : nearest == fromBottom ? e.ColorB
                              : nearest == fromLeft ? e.ColorL : e.ColorR;
            bmp->SetPixel(x, y, platform::ColorToPixel(platform::COLORREF(color) & 0xFFFFFF));
            const int level = std::min(255, (nearest + 1) * 255 / half);
            bmp->SetPixel(x, w + y, platform::MakePixel(platform::BYTE(level), platform::BYTE(level), platform::BYTE(level)));
        }
    }
    TacExtFileData ext;
    ext.Bmp = std::move(bmp);
    ext.FileName = std::string(prefix) + "BLUR5";
    ext.MaskType = 1;
    m.Bmp = ext.Bmp.get();
    model_.ExtArray.push_back(std::move(ext));
    m.R = m.Bmp->BoundsRect();
    m.ImageCount = 1;
    m.MaskType = 1;
    m.DrawMode = 1;
    m.BorderWidth = std::int16_t(half);
    m.WL = m.WT = m.WR = m.WB = std::int16_t(half);
    e.Mask = model_.AddMask(std::move(m));
}

void SkinModelBuilder::LoadGlobalData()
{
    TsSkinData& c = model_.CommonSkinData;
    TacPalette& pal = model_.Palette;
    const SystemValues& sys = settings_.System;
    const int scale = settings_.ScaleIndex;
    c.Author = ini_.ReadString(globalInfo_, "AUTHOR", "");
    c.Description = ini_.ReadString(globalInfo_, "DESCRIPTION", "");
    pal[int(PC::pcMainColor)] = GlobalInt("COLOR", int(sys.BtnFace));
    pal[int(PC::pcLabelText)] = GlobalInt("FONTCOLOR", 0);
    pal[int(PC::pcWebText)] = GlobalInt("TCBOTTOM", 16711680);
    pal[int(PC::pcWebTextHot)] = GlobalInt("TCTOP", 255);
    pal[int(PC::pcBorder)] = GlobalInt("BORDERCOLOR", 0);
    c.ExBorderWidth = GlobalInt("BORDERWIDTH", 4);
    c.ExTitleHeight = ReadScaledInteger(ini_, globalInfo_, "TITLEHEIGHT", scale);
    if (c.ExTitleHeight <= 0)
        c.ExTitleHeight = 30;
    c.ExMaxHeight = ReadScaledInteger(ini_, globalInfo_, "MAXHEIGHT", scale);
    if (c.ExMaxHeight <= 0)
        c.ExMaxHeight = c.ExTitleHeight;
    c.ExCenterOffs = ReadScaledInteger(ini_, globalInfo_, "CENTEROFFSET", scale);
    c.ExContentOffs = GlobalInt("FORMOFFSET", sys.FrameWidth);
    c.ExDrawMode = GlobalInt("BORDERMODE", 0);
    c.BrightMin = GlobalInt("BRIGHTMIN", -50);
    c.BrightMax = GlobalInt("BRIGHTMAX", 50);
    c.ExShadowOffs = GlobalInt("ALIGNOFFSET", 0);
    c.ExShadowOffsR = GlobalInt("ALIGNOFFSETR", c.ExShadowOffs);
    c.ExShadowOffsT = GlobalInt("ALIGNOFFSETT", c.ExShadowOffs);
    c.ExShadowOffsB = GlobalInt("ALIGNOFFSETB", c.ExShadowOffs);
    c.BISpacing = std::max(0, ReadScaledInteger(ini_, globalInfo_, "BISPACE", scale));
    c.BIVAlign = GlobalInt("BIVALIGN", 0);
    c.BIRightMargin = GlobalInt("BIRIGHT", 0);
    c.BILeftMargin = GlobalInt("BILEFT", 0);
    c.BITopMargin = GlobalInt("BITOP", 0);
    c.BIKeepHUE = GlobalInt("BIKEEPHUE", 0);
    c.UseAeroBluring = GlobalInt("AEROBLUR", 0) != 0;
    c.Shadow1Color = GlobalInt("SHADOW1COLOR", 0);
    c.Shadow1Offset = GlobalInt("SHADOW1OFFSET", 0);
    c.Shadow1Blur = GlobalInt("SHADOW1BLUR", -1);
    c.Shadow1Transparency = GlobalInt("SHADOW1TRANSPARENCY", 0);
    c.ComboBoxMargin = GlobalInt("COMBOMARGIN", 2);
    c.SliderMargin = GlobalInt("SLIDERMARGIN", 1);
    c.SysInactiveBorderColor = int(sys.InactiveBorder);

    const std::string_view marginKeys[5] = {"BICLOSEALONEGLOWMARGIN", "BICONCLOSEGLOWMARGIN", "BICONMAXGLOWMARGIN",
                                            "BICONMINGLOWMARGIN", "BICONNORMGLOWMARGIN"};
    model_.ConstData.GlowMargins.fill(-1);
    for (int i = 0; i < 5; ++i)
        model_.ConstData.GlowMargins[std::size_t(i)] = ReadScaledInteger(ini_, globalInfo_, marginKeys[i], scale);

    static constexpr int shadowDefaults[8] = {0, 0, 0, 0, 3, 2, 3, 5};
    static constexpr int loweredDefaults[8] = {16777215, 0, 16777215, 16777215, 2, 2, 2, 4};
    LoadOuterEffect(model_.oe[1], "SH_", shadowDefaults, 60);
    LoadOuterEffect(model_.oe[0], "LO_", loweredDefaults, 200);
    MakeOuterMask(model_.oe[0], "LO_");
    MakeOuterMask(model_.oe[1], "SH_");
}

void SkinModelBuilder::FillPalette()
{
    TacPalette& pal = model_.Palette;
    const SystemValues& sys = settings_.System;
    auto section = [&](std::string_view name) -> const TsGeneralData* {
        const int i = model_.GetSkinIndex(name);
        return i < 0 ? nullptr : &model_.gd[std::size_t(i)];
    };
    auto set = [&](PC entry, int value) { pal[int(entry)] = value; };
    auto get = [&](PC entry) { return pal[int(entry)]; };

    if (const TsGeneralData* edit = section("EDIT")) {
        set(PC::pcEditText, edit->Props[0].FontColor.Color);
        set(PC::pcEditBG, edit->Props[0].Color);
    } else {
        set(PC::pcEditText, int(sys.WindowText));
        set(PC::pcEditBG, int(sys.Window));
    }
    if (const TsGeneralData* hint = section("HINT")) {
        set(PC::pcHintText, hint->Props[0].FontColor.Color);
        set(PC::pcHintBG, hint->Props[0].Color);
    } else {
        set(PC::pcHintText, int(sys.InfoText));
        set(PC::pcHintBG, int(sys.InfoBk));
    }
    if (const TsGeneralData* sel = section("SELECTION")) {
        const TsGenState& focused = sel->States < 2 ? sel->Props[0] : sel->Props[1];
        set(PC::pcSelectionText, sel->Props[0].FontColor.Color);
        set(PC::pcSelectionBG, sel->Props[0].Color);
        set(PC::pcSelectionText_Focused, focused.FontColor.Color);
        set(PC::pcSelectionBG_Focused, focused.Color);
    } else {
        for (PC e : {PC::pcSelectionText, PC::pcSelectionBG, PC::pcSelectionText_Focused, PC::pcSelectionBG_Focused})
            set(e, -1);
    }
    if (get(PC::pcSelectionText) == -1 || get(PC::pcSelectionText) == int(platform::clFuchsia)) {
        if (const TsGeneralData* menu = section("MENUITEM")) {
            int text = menu->Props[1].FontColor.Color;
            if (text == -1 || text == int(platform::clFuchsia))
                text = int(sys.HighlightText);
            set(PC::pcSelectionText, text);
            set(PC::pcSelectionText_Focused, text);
            set(PC::pcSelectionBG, menu->Props[1].Color);
            set(PC::pcSelectionBG_Focused, menu->Props[1].Color);
        } else {
            set(PC::pcSelectionText, int(sys.HighlightText));
            set(PC::pcSelectionText_Focused, int(sys.HighlightText));
            set(PC::pcSelectionBG, int(sys.Highlight));
            set(PC::pcSelectionBG_Focused, int(sys.Highlight));
        }
    }
    set(PC::pcEditText_Ok, GlobalInt("EDITTEXT_OK", 32768));
    set(PC::pcEditText_Warning, GlobalInt("EDITTEXT_WARN", 33924));
    set(PC::pcEditText_Alert, GlobalInt("EDITTEXT_ALERT", 255));
    set(PC::pcEditText_Caution, GlobalInt("EDITTEXT_ALERT", 8755161));
    set(PC::pcEditText_Bypassed, GlobalInt("EDITTEXT_ALERT", 4895375));
    set(PC::pcEditBG_Ok, GlobalInt("EDITBG_OK", 7127717));
    set(PC::pcEditBG_Warning, GlobalInt("EDITBG_WARN", 4259839));
    set(PC::pcEditBG_Alert, GlobalInt("EDITBG_ALERT", 9807849));
    set(PC::pcEditBG_Caution, GlobalInt("EDITBG_ALERT", 8755161));
    set(PC::pcEditBG_Bypassed, GlobalInt("EDITBG_ALERT", 4895375));
    set(PC::pcEditText_Highlight1, GlobalInt("EDITTEXT_H1", 0));
    set(PC::pcEditText_Highlight2, GlobalInt("EDITTEXT_H2", 0));
    set(PC::pcEditText_Highlight3, GlobalInt("EDITTEXT_H3", 0));
    set(PC::pcEditText_Inverted, GlobalInt("EDITTEXT_INV", get(PC::pcEditBG)));
    set(PC::pcEditBG_Inverted, GlobalInt("EDITBG_INV", get(PC::pcEditText)));
    set(PC::pcEditBG_OddRow, GlobalInt("EDITBG_ODD", get(PC::pcEditBG)));
    set(PC::pcEditBG_EvenRow, GlobalInt("EDITBG_EVEN", BlendColors(get(PC::pcEditText), get(PC::pcEditBG), 13)));
}

void SkinModelBuilder::AppendPlainSection(std::string_view name, int transparency, int color)
{
    if (model_.GetSkinIndex(name) >= 0)
        return;
    TsGeneralData g;
    g.ClassName = std::string(name);
    g.States = 1;
    g.UseState2 = false;
    for (TsGenState& s : g.Props) {
        s.Transparency = transparency;
        s.Color = color;
        s.FontColor = TsFontColor{model_.Palette[int(PC::pcLabelText)], -1, -1, -1, -1};
    }
    g.GlowColor = g.HotGlowColor = g.Props[0].GlowColor;
    model_.AddSection(std::move(g));
}

// Sections of the common text that the skin lacks join the skin's own.
void SkinModelBuilder::MergeCommonSections()
{
    if (settings_.CommonSections.empty())
        return;
    std::string text;
    for (const std::string& line : settings_.CommonSections)
        text += line + "\r\n";
    SkinIniFile common(std::move(text));
    for (const SkinIniFile::Section& s : common.Sections())
        if (model_.GetSkinIndex(s.Name) < 0) {
            TsGeneralData g = ReadSection(common, s.Name);
            g.GlowSize = g.Props[0].GlowSize;
            g.HotGlowSize = g.Props[1].GlowSize;
            g.GlowColor = g.Props[0].GlowColor;
            g.HotGlowColor = g.Props[1].GlowColor;
            model_.AddSection(std::move(g));
        }
}

void SkinModelBuilder::LoadAllGeneralData()
{
    LoadGlobalData();
    model_.CommonSkinData.TabsCovering = FindInteger(ini_, "TABTOP", "TABSCOVERING", 0);
    model_.CommonSkinData.RibbonCovering = FindInteger(ini_, "RIBBONTAB", "TABSCOVERING", 0);

    model_.gd.clear();
    model_.sectionIndex_.clear();
    model_.gd.reserve(ini_.Sections().size() + 2);
    for (const SkinIniFile::Section& s : ini_.Sections()) {
        TsGeneralData g = ReadSection(ini_, s.Name);
        g.GlowSize = g.Props[0].GlowSize;
        g.HotGlowSize = g.Props[1].GlowSize;
        g.GlowColor = g.Props[0].GlowColor;
        g.HotGlowColor = g.Props[1].GlowColor;
        model_.AddSection(std::move(g));
    }
    MergeCommonSections();
    FillPalette();
    AppendPlainSection("TRANSPARENT", 100, 0xFFFFFF);
    ApplyColorAdjustments();
    AppendPlainSection("MAINCOLOR", 0, model_.Palette[int(PC::pcMainColor)]);
}

} // namespace skin
