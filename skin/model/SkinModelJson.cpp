#include "skin/model/SkinModelJson.h"

#include <cmath>
#include <cstdio>

namespace skin {

namespace {

class JsonWriter {
public:
    std::string Take() { return std::move(out_); }

    void BeginObject() { Value(); out_ += '{'; first_ = true; }
    void EndObject() { out_ += '}'; first_ = false; }
    void BeginArray() { Value(); out_ += '['; first_ = true; }
    void EndArray() { out_ += ']'; first_ = false; }
    void Key(std::string_view key)
    {
        if (!first_)
            out_ += ',';
        String(key);
        out_ += ':';
        afterKey_ = true;
    }
    void Int(long long v) { Value(); out_ += std::to_string(v); }
    void Bool(bool v) { Value(); out_ += v ? "true" : "false"; }
    void Null() { Value(); out_ += "null"; }
    void Double(double v)
    {
        Value();
        if (!std::isfinite(v)) { // JSON has no infinities
            out_ += "null";
            return;
        }
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6g", v);
        out_ += buf;
    }
    void Str(std::string_view s) { Value(); String(s); }

    template <typename T> void Field(std::string_view key, const T& v)
    {
        Key(key);
        if constexpr (std::is_same_v<T, bool>)
            Bool(v);
        else if constexpr (std::is_arithmetic_v<T>)
            Int(static_cast<long long>(v));
        else
            Str(v);
    }
    void RectArray(std::string_view key, const platform::RECT& r)
    {
        Key(key);
        BeginArray();
        for (int v : {r.left, r.top, r.right, r.bottom})
            Int(v);
        EndArray();
    }
    template <typename Range> void IntArray(std::string_view key, const Range& values)
    {
        Key(key);
        BeginArray();
        for (int v : values)
            Int(v);
        EndArray();
    }

private:
    void Value()
    {
        if (afterKey_) {
            afterKey_ = false;
        } else if (!first_) {
            out_ += ',';
        }
        first_ = false;
    }
    // Skin text is single-byte; bytes above 127 are written as the characters of the same number.
    void String(std::string_view s)
    {
        out_ += '"';
        for (unsigned char c : s) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += char(c);
            } else if (c < 0x20 || c >= 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ += buf;
            } else {
                out_ += char(c);
            }
        }
        out_ += '"';
    }

    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

void WriteState(JsonWriter& w, const TsGenState& s)
{
    w.BeginObject();
    w.Field("Color", s.Color);
    w.Key("FontColor");
    w.BeginObject();
    w.Field("Color", s.FontColor.Color);
    w.Field("Left", s.FontColor.Left);
    w.Field("Top", s.FontColor.Top);
    w.Field("Right", s.FontColor.Right);
    w.Field("Bottom", s.FontColor.Bottom);
    w.EndObject();
    w.Field("GlowColor", s.GlowColor);
    w.Field("GlowSize", s.GlowSize);
    w.Field("GradientPercent", s.GradientPercent);
    w.Key("GradientArray");
    w.BeginArray();
    for (const TsGradPie& pie : s.GradientArray) {
        w.BeginObject();
        w.Field("Color1", pie.Color1);
        w.Field("Color2", pie.Color2);
        w.Field("Percent", pie.Percent);
        w.Field("Mode1", pie.Mode1);
        w.Field("Mode2", pie.Mode2);
        w.EndObject();
    }
    w.EndArray();
    w.Field("ImagePercent", s.ImagePercent);
    w.Field("Transparency", s.Transparency);
    w.Field("TextureIndex", s.TextureIndex);
    w.EndObject();
}

void WriteSection(JsonWriter& w, const TsGeneralData& g)
{
    w.BeginObject();
    w.Field("ClassName", g.ClassName);
    w.Field("ParentClass", g.ParentClass);
    w.Field("States", g.States);
    w.Field("UseState2", g.UseState2);
    w.Field("GiveOwnFont", g.GiveOwnFont);
    w.Field("ReservedBoolean", g.ReservedBoolean);
    w.Field("GlowCount", g.GlowCount);
    w.Field("GlowMargin", g.GlowMargin);
    w.Field("BorderIndex", g.BorderIndex);
    w.Field("ImgTL", g.ImgTL);
    w.Field("ImgTR", g.ImgTR);
    w.Field("ImgBL", g.ImgBL);
    w.Field("ImgBR", g.ImgBR);
    w.Field("ScrollBorderOffset", g.ScrollBorderOffset);
    w.Field("OuterMode", g.OuterMode);
    w.Field("OuterMask", g.OuterMask);
    w.Field("OuterOpacity", g.OuterOpacity);
    w.RectArray("OuterOffset", g.OuterOffset);
    w.Key("Props");
    w.BeginArray();
    for (const TsGenState& s : g.Props)
        WriteState(w, s);
    w.EndArray();
    w.EndObject();
}

void WriteMask(JsonWriter& w, const TsSkinModel& model, const TsMaskData& m)
{
    w.BeginObject();
    w.Field("ClassName", m.ClassName);
    w.Field("PropertyName", m.PropertyName);
    w.Field("SkinIndex", m.SkinIndex);
    w.Field("ImgType", ImgTypeNames[std::size_t(m.ImgType)]);
    w.RectArray("R", m.R);
    w.Field("ImageCount", m.ImageCount);
    w.Field("MaskType", m.MaskType);
    w.Field("BorderWidth", m.BorderWidth);
    w.Field("DrawMode", m.DrawMode);
    w.Field("WL", m.WL);
    w.Field("WT", m.WT);
    w.Field("WR", m.WR);
    w.Field("WB", m.WB);
    w.Field("Width", m.Width);
    w.Field("Height", m.Height);
    w.Field("CornerType", m.CornerType);
    w.Key("File");
    if (m.Bmp)
        w.Str(model.ExternalFileName(m));
    else
        w.Null();
    w.EndObject();
}

void WriteCommon(JsonWriter& w, const TsSkinData& c)
{
    w.BeginObject();
    w.Field("Active", c.Active);
    w.Field("UseAeroBluring", c.UseAeroBluring);
    w.Field("Author", c.Author);
    w.Field("SkinPath", c.SkinPath);
    w.Field("Description", c.Description);
    w.Field("Shadow1Offset", c.Shadow1Offset);
    w.Field("Shadow1Blur", c.Shadow1Blur);
    w.Field("Shadow1Transparency", c.Shadow1Transparency);
    w.Field("ExBorderWidth", c.ExBorderWidth);
    w.Field("ExTitleHeight", c.ExTitleHeight);
    w.Field("ExMaxHeight", c.ExMaxHeight);
    w.Field("ExContentOffs", c.ExContentOffs);
    w.Field("ExCenterOffs", c.ExCenterOffs);
    w.Field("ExDrawMode", c.ExDrawMode);
    w.Field("ExShadowOffs", c.ExShadowOffs);
    w.Field("ExShadowOffsR", c.ExShadowOffsR);
    w.Field("ExShadowOffsT", c.ExShadowOffsT);
    w.Field("ExShadowOffsB", c.ExShadowOffsB);
    w.Field("BISpacing", c.BISpacing);
    w.Field("BIVAlign", c.BIVAlign);
    w.Field("BIRightMargin", c.BIRightMargin);
    w.Field("BILeftMargin", c.BILeftMargin);
    w.Field("BITopMargin", c.BITopMargin);
    w.Field("BIKeepHUE", c.BIKeepHUE);
    w.Field("ComboBoxMargin", c.ComboBoxMargin);
    w.Field("SliderMargin", c.SliderMargin);
    w.Field("BrightMin", c.BrightMin);
    w.Field("BrightMax", c.BrightMax);
    w.Field("TabsCovering", c.TabsCovering);
    w.Field("RibbonCovering", c.RibbonCovering);
    w.Field("FXColor", c.FXColor);
    w.Field("Shadow1Color", c.Shadow1Color);
    w.Field("SysInactiveBorderColor", c.SysInactiveBorderColor);
    w.Key("Version");
    w.Double(c.Version);
    w.EndObject();
}

void WriteElement(JsonWriter& w, std::string_view key, const TacConstElementData& e)
{
    w.Key(key);
    w.BeginObject();
    w.Field("SkinSection", e.SkinSection);
    w.Field("SkinIndex", e.SkinIndex);
    w.Field("MaskIndex", e.MaskIndex);
    w.Field("GlyphIndex", e.GlyphIndex);
    w.IntArray("BGIndex", e.BGIndex);
    w.EndObject();
}

void WriteConstData(JsonWriter& w, const TConstantSkinData& c)
{
    w.BeginObject();
    w.Field("IndexGLobalInfo", c.IndexGLobalInfo);
    w.Key("Sections");
    w.BeginObject();
    for (std::size_t i = 0; i < SectionNames.size(); ++i)
        w.Field(SectionNames[i], c.Sections[i]);
    w.EndObject();
    w.Key("TitleGlyphs");
    w.BeginObject();
    for (std::size_t i = 0; i < TitleGlyphKeys.size(); ++i)
        w.Field(TitleGlyphKeys[i], c.TitleGlyphs[i]);
    w.EndObject();
    w.Key("TitleGlows");
    w.BeginArray();
    for (const auto& glows : c.TitleGlows) {
        w.BeginArray();
        for (int g : glows)
            w.Int(g);
        w.EndArray();
    }
    w.EndArray();
    w.IntArray("GlowMargins", c.GlowMargins);
    w.IntArray("CheckBox", c.CheckBox);
    w.IntArray("SmallCheckBox", c.SmallCheckBox);
    w.IntArray("RadioButton", c.RadioButton);
    w.Field("ExBorder", c.ExBorder);
    w.Field("GripRightBottom", c.GripRightBottom);
    w.Field("GripHorizontal", c.GripHorizontal);
    w.Field("GripVertical", c.GripVertical);
    WriteElement(w, "MenuItem", c.MenuItem);
    WriteElement(w, "ComboBtn", c.ComboBtn);
    static constexpr std::string_view sides[] = {"asLeft", "asTop", "asRight", "asBottom"};
    static constexpr std::string_view layouts[] = {"tlFirst", "tlLast", "tlMiddle", "tlSingle"};
    auto sideGroup = [&](std::string_view key, const std::array<TacConstElementData, 4>& group) {
        w.Key(key);
        w.BeginObject();
        for (std::size_t s = 0; s < 4; ++s)
            WriteElement(w, sides[s], group[s]);
        w.EndObject();
    };
    w.Key("Tabs");
    w.BeginObject();
    for (std::size_t l = 0; l < 4; ++l)
        sideGroup(layouts[l], c.Tabs[l]);
    w.EndObject();
    sideGroup("Scrolls", c.Scrolls);
    sideGroup("ScrollBtns", c.ScrollBtns);
    sideGroup("UpDownBtns", c.UpDownBtns);
    w.Key("Sliders");
    w.BeginObject();
    WriteElement(w, "false", c.Sliders[0]);
    WriteElement(w, "true", c.Sliders[1]);
    w.EndObject();
    w.Key("TrackBar");
    w.BeginObject();
    for (std::size_t i = 0; i < 2; ++i) {
        const TacTrackBarData& t = c.TrackBar[i];
        w.Key(i ? "true" : "false");
        w.BeginObject();
        w.Field("SkinIndex", t.SkinIndex);
        w.Field("MaskIndex", t.MaskIndex);
        w.Field("GlyphIndex", t.GlyphIndex);
        w.IntArray("BGIndex", t.BGIndex);
        w.Field("TickIndex", t.TickIndex);
        w.Field("ProgIndex", t.ProgIndex);
        w.Field("SlideIndex", t.SlideIndex);
        w.EndObject();
    }
    w.EndObject();
    w.EndObject();
}

} // namespace

std::string SkinModelToJson(const TsSkinModel& model)
{
    JsonWriter w;
    w.BeginObject();
    w.Key("gd");
    w.BeginArray();
    for (const TsGeneralData& g : model.gd)
        WriteSection(w, g);
    w.EndArray();
    w.Key("ma");
    w.BeginArray();
    for (const TsMaskData& m : model.ma)
        WriteMask(w, model, m);
    w.EndArray();
    w.Key("oe");
    w.BeginArray();
    for (const TacOutEffData& e : model.oe) {
        w.BeginObject();
        w.Field("ColorL", e.ColorL);
        w.Field("ColorT", e.ColorT);
        w.Field("ColorR", e.ColorR);
        w.Field("ColorB", e.ColorB);
        w.Field("OffsetL", e.OffsetL);
        w.Field("OffsetT", e.OffsetT);
        w.Field("OffsetR", e.OffsetR);
        w.Field("OffsetB", e.OffsetB);
        w.Field("WidthL", e.WidthL);
        w.Field("WidthT", e.WidthT);
        w.Field("WidthR", e.WidthR);
        w.Field("WidthB", e.WidthB);
        w.Field("Mask", e.Mask);
        w.Field("Source", e.Source);
        w.Field("Opacity", e.Opacity);
        w.EndObject();
    }
    w.EndArray();
    w.Key("Palette");
    w.BeginObject();
    for (std::size_t i = 0; i < PaletteNames.size(); ++i)
        w.Field(PaletteNames[i], model.Palette[i]);
    w.EndObject();
    w.Key("CommonSkinData");
    WriteCommon(w, model.CommonSkinData);
    w.Key("ConstData");
    WriteConstData(w, model.ConstData);
    w.Key("MasterBitmap");
    w.BeginObject();
    w.Field("Width", model.MasterBitmap.Width());
    w.Field("Height", model.MasterBitmap.Height());
    w.EndObject();
    w.Key("ExtArray");
    w.BeginArray();
    for (const TacExtFileData& ext : model.ExtArray) {
        w.BeginObject();
        w.Field("FileName", ext.FileName);
        w.Field("MaskType", ext.MaskType);
        w.Field("Width", ext.Bmp->Width());
        w.Field("Height", ext.Bmp->Height());
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.Take();
}

} // namespace skin
