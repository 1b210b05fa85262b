// The loaded skins carry what their style descriptions say, and every image element fits its
// picture: a fault in the generator's layout or value writing shows up here.
#include "tests/skin/skins/SkinSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct StyleRow {
    std::string name, base, text;
    int windowRadius = 0, titlePx = 0;
    double version = 0;
};

std::vector<std::string> Split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, separator);)
        fields.push_back(field);
    return fields;
}

std::vector<StyleRow> ReadStyles()
{
    std::ifstream in(std::string(LUMO_SOURCE_DIR) + "/assets/skins/styles.tsv");
    std::vector<StyleRow> rows;
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        if (header) {
            header = false;
            continue;
        }
        auto f = Split(line, '\t');
        if (f.size() < 20)
            continue;
        auto geom = Split(f[15], '/');
        rows.push_back({f[0] + " (internal)", f[3], f[6], std::stoi(geom.at(0)), std::stoi(geom.at(3)), std::stod(f[19])});
    }
    return rows;
}

int HexToColor(const std::string& hex)
{
    unsigned v = unsigned(std::stoul(hex.substr(1), nullptr, 16));
    return int(((v >> 16) & 255) | (v & 0xFF00) | ((v & 255) << 16));
}

TEST(InternalSkinStyles, EachSkinCarriesItsDescribedColoursGeometryAndVersion)
{
    auto rows = ReadStyles();
    const auto& skins = skintest::InternalSkins();
    ASSERT_EQ(rows.size(), skins.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        ASSERT_EQ(skins[i].name, rows[i].name);
        ASSERT_NE(skins[i].model, nullptr);
        const skin::TsSkinModel& m = *skins[i].model;
        EXPECT_EQ(m.GetGlobalColor(), HexToColor(rows[i].base));
        EXPECT_EQ(m.GetGlobalFontColor(), HexToColor(rows[i].text));
        EXPECT_EQ(m.CommonSkinData.ExTitleHeight, rows[i].titlePx);
        EXPECT_NEAR(m.CommonSkinData.Version, rows[i].version, 1e-9);
        // Rounded windows get fuchsia corners (and so a window shape); square ones none.
        int form = m.gd[std::size_t(m.GetSkinIndex("FORM"))].BorderIndex;
        ASSERT_TRUE(m.IsValidImgIndex(form));
        EXPECT_EQ(m.ma[std::size_t(form)].CornerType > 0, rows[i].windowRadius > 0);
    }
}

TEST(InternalSkinStyles, EveryImageElementLiesInsideItsPicture)
{
    for (const auto& s : skintest::InternalSkins()) {
        ASSERT_NE(s.model, nullptr);
        const skin::TsSkinModel& m = *s.model;
        for (const skin::TsMaskData& mask : m.ma) {
            if (mask.ClassName == "GLOBALINFO" && (mask.PropertyName.starts_with("SH_") || mask.PropertyName.starts_with("LO_")))
                continue;
            const platform::Bitmap& source = m.SourceBitmap(mask);
            if (&source == &m.MasterBitmap && mask.PropertyName.empty())
                continue;
            SCOPED_TRACE(s.name + ": " + mask.ClassName + "." + mask.PropertyName);
            if (mask.R.right - mask.R.left == 0)
                continue; // an engine-made element with no picture of its own
            EXPECT_GE(mask.R.left, 0);
            EXPECT_GE(mask.R.top, 0);
            EXPECT_LE(mask.R.right, source.Width());
            EXPECT_LE(mask.R.bottom, source.Height());
            EXPECT_GT(mask.Width, 0);
            EXPECT_GT(mask.Height, 0);
            if (mask.ImgType == skin::TacImgType::itisaBorder) {
                EXPECT_LT(mask.WL + mask.WR, mask.Width);
                EXPECT_LT(mask.WT + mask.WB, mask.Height + (mask.PropertyName == "EXBORDER" ? 0 : 1));
                EXPECT_EQ(mask.Width * std::max<int>(1, mask.ImageCount), mask.R.right - mask.R.left);
            }
        }
    }
}

} // namespace
