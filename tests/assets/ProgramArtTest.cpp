#include "assets/art/ProgramArt.h"

#include "platform/core/Bitmap.h"
#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Expected {
    std::string name;
    int size;
};

// Every picture the windows ask for, with the size they lay it out for.
const std::vector<Expected> Named = [] {
    std::vector<Expected> named{{"Form1Icon", 64}, {"AboutPicture", 120}};
    for (int i = 1; i <= 6; ++i)
        named.push_back({"sBitBtn" + std::to_string(i), 32});
    for (int i = 1; i <= 13; ++i)
        named.push_back({"sSpeedButton" + std::to_string(i), 32});
    for (const char* name : {"TalesClose", "TalesRemote", "TalesOnTop"})
        for (int size : {24, 16})
            named.push_back({name + std::to_string(size), size});
    return named;
}();

struct Rgb {
    double r, g, b;
};

constexpr Rgb LightPanel{255, 255, 255};
constexpr Rgb DarkPanel{20, 20, 24};

double Linear(double v)
{
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Contrast(Rgb a, Rgb b)
{
    double la = 0.2126 * Linear(a.r) + 0.7152 * Linear(a.g) + 0.0722 * Linear(a.b);
    double lb = 0.2126 * Linear(b.r) + 0.7152 * Linear(b.g) + 0.0722 * Linear(b.b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb Over(const std::uint8_t* bgra, Rgb panel)
{
    double a = bgra[3] / 255.0;
    return {bgra[2] * a + panel.r * (1 - a), bgra[1] * a + panel.g * (1 - a), bgra[0] * a + panel.b * (1 - a)};
}

// The share of the picture's covered area (alpha-weighted) that stands out from the panel by a
// contrast ratio of 3:1 or more once laid over it: what makes a pictogram read at a glance.
double LegibleShare(const assets::ArtImage& image, Rgb panel)
{
    double covered = 0, legible = 0;
    for (int i = 0; i < image.width * image.height; ++i) {
        const std::uint8_t* p = image.bgra + i * 4;
        double a = p[3] / 255.0;
        covered += a;
        if (Contrast(Over(p, panel), panel) >= 3.0)
            legible += a;
    }
    return covered > 0 ? legible / covered : 0;
}

TEST(ProgramArtTest, EveryPictureHasItsSizeAndRealAlpha)
{
    for (const auto& expected : Named) {
        SCOPED_TRACE(expected.name);
        auto image = assets::ProgramArt(expected.name);
        ASSERT_EQ(image.width, expected.size);
        ASSERT_EQ(image.height, expected.size);
        ASSERT_NE(image.bgra, nullptr);
        const int n = image.width * image.height;
        auto alpha = [&](int x, int y) { return image.bgra[(y * image.width + x) * 4 + 3]; };
        for (int y : {0, image.height - 1})
            for (int x : {0, image.width - 1})
                EXPECT_EQ(alpha(x, y), 0) << "corner " << x << "," << y;
        int opaque = 0, clear = 0, soft = 0;
        for (int i = 0; i < n; ++i) {
            int a = image.bgra[i * 4 + 3];
            opaque += a == 255;
            clear += a == 0;
            soft += a > 0 && a < 255;
        }
        EXPECT_GE(opaque, n / 5) << "a body of solid pixels";
        EXPECT_GE(clear, n / 10) << "room around the shape";
        EXPECT_GE(soft, image.width) << "anti-aliased edges";
    }
}

TEST(ProgramArtTest, EveryPictureReadsOnLightAndDarkPanels)
{
    for (const auto& expected : Named) {
        SCOPED_TRACE(expected.name);
        auto image = assets::ProgramArt(expected.name);
        ASSERT_NE(image.bgra, nullptr);
        EXPECT_GE(LegibleShare(image, LightPanel), 0.35);
        EXPECT_GE(LegibleShare(image, DarkPanel), 0.35);
    }
}

TEST(ProgramArtTest, TheLegibilityMeasureRejectsAShapeInThePanelsOwnTone)
{
    // A dark grey disc with no edge: invisible on the dark panel, plain on the light one.
    std::vector<std::uint8_t> disc(32 * 32 * 4, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (std::hypot(x - 15.5, y - 15.5) < 13) {
                std::uint8_t* p = &disc[(y * 32 + x) * 4];
                p[0] = p[1] = p[2] = 40;
                p[3] = 255;
            }
    assets::ArtImage image{32, 32, disc.data()};
    EXPECT_LT(LegibleShare(image, DarkPanel), 0.35);
    EXPECT_GE(LegibleShare(image, LightPanel), 0.35);
}

TEST(ProgramArtTest, UnknownNamesGetAnEmptyImage)
{
    for (const char* name : {"", "sBitBtn7", "sSpeedButton0", "form1icon", "sBitBtn1 "}) {
        auto image = assets::ProgramArt(name);
        EXPECT_EQ(image.width, 0) << name;
        EXPECT_EQ(image.height, 0) << name;
        EXPECT_EQ(image.bgra, nullptr) << name;
    }
}

TEST(ProgramArtTest, GlyphsOfDifferentButtonsDiffer)
{
    for (std::size_t i = 0; i < Named.size(); ++i)
        for (std::size_t j = i + 1; j < Named.size(); ++j) {
            auto a = assets::ProgramArt(Named[i].name);
            auto b = assets::ProgramArt(Named[j].name);
            if (a.width != b.width)
                continue;
            EXPECT_FALSE(std::equal(a.bgra, a.bgra + a.width * a.height * 4, b.bgra))
                << Named[i].name << " and " << Named[j].name;
        }
}

// Not a check: every picture over a light and a dark panel, at its size and the small ones also
// enlarged three times, for a person to look at (build/tests/program-art-sheet.png).
TEST(ProgramArtTest, WritesTheContactSheet)
{
    constexpr int Zoom = 3;
    constexpr int Band = 4 + 120 + 8 + 32 * Zoom + 4;
    constexpr Rgb LightSheet{236, 233, 225};
    auto columnWidth = [&](const assets::ArtImage& image) { return (image.width <= 32 ? image.width * Zoom : image.width) + 12; };
    int width = 4;
    for (const auto& expected : Named)
        width += columnWidth(assets::ProgramArt(expected.name));
    platform::Bitmap sheet(width, Band * 2);
    auto put = [&](int x, int y, Rgb c) {
        sheet.SetPixel(x, y, platform::MakePixel(std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b)));
    };
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x)
            put(x, y, y < Band ? LightSheet : DarkPanel);
    int left = 4;
    for (const auto& expected : Named) {
        auto image = assets::ProgramArt(expected.name);
        ASSERT_NE(image.bgra, nullptr) << expected.name;
        for (int band = 0; band < 2; ++band) {
            Rgb panel = band == 0 ? LightSheet : DarkPanel;
            int top = band * Band + 4;
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    Rgb c = Over(image.bgra + (y * image.width + x) * 4, panel);
                    put(left + x, top + y, c);
                    if (image.width <= 32)
                        for (int dy = 0; dy < Zoom; ++dy)
                            for (int dx = 0; dx < Zoom; ++dx)
                                put(left + x * Zoom + dx, top + 128 + y * Zoom + dy, c);
                }
        }
        left += columnWidth(image);
    }
    platform::SavePng(sheet, std::string(LUMO_BINARY_DIR) + "/tests/program-art-sheet.png");
}

} // namespace
