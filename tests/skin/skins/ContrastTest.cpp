// Text of every internal skin reads at a contrast of at least 4.5:1 (WCAG) against the worst
// case of its background: every gradient end, the texture's lightest and darkest pixel, and the
// parent showing through a transparent section.
#include "tests/skin/skins/SkinSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

struct Rgb {
    double r, g, b;
};

Rgb FromColor(int c) { return {double(c & 255), double((c >> 8) & 255), double((c >> 16) & 255)}; }
Rgb FromPixel(platform::PixelBGRA p) { return {double(platform::PixelR(p)), double(platform::PixelG(p)), double(platform::PixelB(p))}; }

double Linear(double v)
{
    v /= 255;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double Luminance(Rgb c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }
double Contrast(Rgb a, Rgb b)
{
    double x = Luminance(a) + 0.05, y = Luminance(b) + 0.05;
    return x > y ? x / y : y / x;
}
Rgb Blend(Rgb a, Rgb b, double weightOfB) { return {a.r + (b.r - a.r) * weightOfB, a.g + (b.g - a.g) * weightOfB, a.b + (b.b - a.b) * weightOfB}; }

TEST(ContrastHelpers, MatchTheWcagFormula)
{
    EXPECT_NEAR(Contrast({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(Contrast({255, 255, 255}, {255, 255, 255}), 1.0, 1e-9);
    // #767676 on white is the classic 4.54:1.
    EXPECT_NEAR(Contrast({118, 118, 118}, {255, 255, 255}), 4.54, 0.01);
}

class Backgrounds {
public:
    explicit Backgrounds(const skin::TsSkinModel& model) : m_(model) {}

    // The background samples of a section's state, over the given parent samples.
    std::vector<Rgb> Of(const std::string& section, int state, const std::vector<Rgb>& parent) const
    {
        int index = m_.GetSkinIndex(section);
        if (index < 0)
            return {};
        const skin::TsGenState& s = m_.gd[std::size_t(index)].Props[std::size_t(state)];
        std::vector<Rgb> gradient;
        int gradientShare = 0;
        if (s.GradientPercent > 0 && !s.GradientArray.empty()) {
            gradientShare = s.GradientPercent;
            for (const auto& piece : s.GradientArray) {
                gradient.push_back(FromColor(piece.Color1));
                gradient.push_back(FromColor(piece.Color2));
            }
        }
        std::vector<Rgb> texture;
        int textureShare = 0;
        if (s.ImagePercent > 0 && m_.IsValidImgIndex(s.TextureIndex)) {
            textureShare = s.ImagePercent;
            texture = Extremes(m_.ma[std::size_t(s.TextureIndex)]);
        }
        if (gradient.empty())
            gradient.push_back({0, 0, 0});
        if (texture.empty())
            texture.push_back({0, 0, 0});
        double colourShare = std::max(0, 100 - gradientShare - textureShare) / 100.0;
        std::vector<Rgb> own;
        for (const Rgb& g : gradient) {
            for (const Rgb& t : texture) {
                Rgb c = FromColor(s.Color);
                own.push_back({c.r * colourShare + (g.r * gradientShare + t.r * textureShare) / 100.0,
                               c.g * colourShare + (g.g * gradientShare + t.g * textureShare) / 100.0,
                               c.b * colourShare + (g.b * gradientShare + t.b * textureShare) / 100.0});
            }
        }
        if (s.Transparency <= 0 || parent.empty())
            return own;
        std::vector<Rgb> mixed;
        for (const Rgb& o : own)
            for (const Rgb& p : parent)
                mixed.push_back(Blend(o, p, std::min(s.Transparency, 100) / 100.0));
        return mixed;
    }
    int Font(const std::string& section, int state) const
    {
        int index = m_.GetSkinIndex(section);
        return index < 0 ? -1 : m_.gd[std::size_t(index)].Props[std::size_t(state)].FontColor.Color;
    }

private:
    // The lightest and the darkest pixel of a texture element.
    std::vector<Rgb> Extremes(const skin::TsMaskData& mask) const
    {
        const platform::Bitmap& source = m_.SourceBitmap(mask);
        Rgb light{0, 0, 0}, dark{255, 255, 255};
        for (int y = std::max(0, int(mask.R.top)); y < std::min(source.Height(), int(mask.R.bottom)); ++y) {
            for (int x = std::max(0, int(mask.R.left)); x < std::min(source.Width(), int(mask.R.right)); ++x) {
                Rgb p = FromPixel(source.Pixel(x, y));
                if (Luminance(p) > Luminance(light))
                    light = p;
                if (Luminance(p) < Luminance(dark))
                    dark = p;
            }
        }
        return {light, dark};
    }
    const skin::TsSkinModel& m_;
};

double Worst(int font, const std::vector<Rgb>& backgrounds)
{
    double worst = 21;
    for (const Rgb& b : backgrounds)
        worst = std::min(worst, Contrast(FromColor(font), b));
    return worst;
}

TEST(InternalSkinContrast, TextReadsAtLeastFourAndAHalfToOneInEverySkin)
{
    std::ostringstream failures;
    int pairs = 0;
    double lowest = 21;
    std::string lowestPair;
    for (const auto& s : skintest::InternalSkins()) {
        ASSERT_NE(s.model, nullptr) << s.name;
        const skin::TsSkinModel& m = *s.model;
        Backgrounds bg(m);
        auto check = [&](const std::string& what, int font, const std::vector<Rgb>& backgrounds) {
            ASSERT_FALSE(backgrounds.empty()) << s.name << ": no background for " << what;
            ++pairs;
            double ratio = Worst(font, backgrounds);
            if (ratio < lowest) {
                lowest = ratio;
                lowestPair = s.name + ": " + what;
            }
            if (ratio < 4.5)
                failures << s.name << ": " << what << " " << ratio << "\n";
        };
        const int label = m.GetGlobalFontColor();
        const auto form = bg.Of("FORM", 1, {});
        check("label on the form", label, form);
        check("label on the inactive form", label, bg.Of("FORM", 0, {}));
        const auto panel = bg.Of("PANEL", 0, form);
        check("label on a panel", label, panel);
        check("panel text", bg.Font("PANEL", 0), panel);
        check("group box caption", bg.Font("GROUPBOX", 0), bg.Of("GROUPBOX", 0, form));
        check("low panel text", bg.Font("PANEL_LOW", 0), bg.Of("PANEL_LOW", 0, form));
        check("tab sheet text", bg.Font("TABSHEET", 0), bg.Of("TABSHEET", 0, form));
        check("check box text", bg.Font("CHECKBOX", 0), bg.Of("CHECKBOX", 0, form));
        check("check box text on a panel", bg.Font("CHECKBOX", 0), bg.Of("CHECKBOX", 0, panel));
        for (int state = 0; state < 2; ++state) {
            auto title = bg.Of("FORMTITLE", state, {});
            check("title text, state " + std::to_string(state), bg.Font("FORMTITLE", state), title);
            if (m.GetSkinIndex("CAPTION") >= 0)
                check("caption plate, state " + std::to_string(state), bg.Font("CAPTION", state), bg.Of("CAPTION", state, title));
        }
        for (const char* section : {"BUTTON", "SPEEDBUTTON", "TOOLBUTTON", "TABTOP"})
            for (int state = 0; state < 3; ++state)
                check(std::string(section) + " state " + std::to_string(state), bg.Font(section, state),
                      bg.Of(section, state, form));
        for (int state = 0; state < 2; ++state) {
            check("edit text, state " + std::to_string(state), bg.Font("EDIT", state), bg.Of("EDIT", state, form));
            check("selection text, state " + std::to_string(state), bg.Font("SELECTION", state), bg.Of("SELECTION", state, form));
            check("menu item, state " + std::to_string(state), bg.Font("MENUITEM", state), bg.Of("MENUITEM", state, form));
            check("main menu, state " + std::to_string(state), bg.Font("MAINMENU", state), bg.Of("MAINMENU", state, form));
        }
        check("edit text (palette)", m.GetActiveEditFontColor(), {FromColor(m.GetActiveEditColor())});
        check("selection text (palette)", m.GetHighLightFontColor(true), {FromColor(m.GetHighLightColor(true))});
        check("hint text", bg.Font("HINT", 0), bg.Of("HINT", 0, form));
    }
    EXPECT_GT(pairs, 97 * 30);
    std::printf("%d text pairs; the lowest is %.2f:1 (%s)\n", pairs, lowest, lowestPair.c_str());
    EXPECT_EQ(failures.str(), "");
}

} // namespace
