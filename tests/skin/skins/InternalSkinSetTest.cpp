#include "tests/skin/skins/SkinSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <unistd.h>

namespace {

using skintest::InternalSkins;

TEST(InternalSkinSet, CatalogueHoldsTheNamesInStoredOrderWithDistinctPackagesOfBoundedSize)
{
    auto packages = assets::EmbeddedSkinPackages();
    ASSERT_EQ(packages.size(), skin::InternalSkinNames.size());
    std::size_t total = 0;
    std::set<std::vector<std::uint8_t>> distinct;
    for (std::size_t i = 0; i < packages.size(); ++i) {
        SCOPED_TRACE(std::string(packages[i].Name));
        EXPECT_EQ(packages[i].Name, skin::InternalSkinNames[i]);
        EXPECT_GE(packages[i].Data.size(), 8u * 1024);
        EXPECT_LE(packages[i].Data.size(), 360u * 1024);
        total += packages[i].Data.size();
        distinct.emplace(packages[i].Data.begin(), packages[i].Data.end());
        // "VSzf", the member count, then Options.dat as the first member.
        ASSERT_GE(packages[i].Data.size(), 23u);
        EXPECT_TRUE(std::equal(packages[i].Data.begin(), packages[i].Data.begin() + 4, "VSzf"));
        std::string firstName(packages[i].Data.begin() + 12, packages[i].Data.begin() + 23);
        EXPECT_EQ(firstName, "Options.dat");
        const auto& d = packages[i].Data;
        const int members = int(d[4] | d[5] << 8 | d[6] << 16 | d[7] << 24);
        EXPECT_GE(members, 3);
        EXPECT_LE(members, 12);
    }
    EXPECT_LE(total, 6u * 1024 * 1024);
    EXPECT_EQ(distinct.size(), packages.size());
}

TEST(InternalSkinSet, EverySkinLoadsWithoutAnErrorOrAWarning)
{
    const auto& skins = InternalSkins();
    ASSERT_EQ(skins.size(), 97u);
    EXPECT_EQ(skins.front().name, "Acryl (internal)");
    for (const auto& s : skins) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.failure, "");
        EXPECT_TRUE(s.messages.empty()) << s.messages.front();
        EXPECT_NE(s.model, nullptr);
    }
}

TEST(InternalSkinSet, EverySkinPaintsEveryPartOfTheProgram)
{
    static const char* const sections[] = {
        "FORM", "FORMTITLE", "DIALOG", "DIALOGTITLE", "BUTTON", "SPEEDBUTTON", "TOOLBUTTON", "PANEL", "PANEL_LOW",
        "GROUPBOX", "EDIT", "COMBOBOX", "COMBOBTN", "CHECKBOX", "PAGECONTROL", "TABTOP", "TABTOPFIRST", "TABTOPLAST",
        "TABTOPMIDDLE", "TABSHEET", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V", "SCROLLBTNLEFT",
        "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM", "SCROLLSLIDERH", "SCROLLSLIDERV", "SELECTION", "MENUITEM",
        "MAINMENU", "HINT"};
    static const char* const masked[] = {"FORM", "FORMTITLE", "DIALOG", "BUTTON", "SPEEDBUTTON", "PANEL", "EDIT",
                                         "COMBOBOX", "COMBOBTN", "TABTOP", "TABTOPFIRST", "SCROLLBTNLEFT",
                                         "SCROLLSLIDERV", "SELECTION", "MENUITEM", "HINT"};
    static const char* const glyphed[] = {"COMBOBTN", "SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT",
                                          "SCROLLBTNBOTTOM", "SCROLLSLIDERH", "MENUITEM"};
    for (const auto& s : InternalSkins()) {
        SCOPED_TRACE(s.name);
        ASSERT_NE(s.model, nullptr);
        const skin::TsSkinModel& m = *s.model;
        for (const char* section : sections)
            EXPECT_GE(m.GetSkinIndex(section), 0) << section;
        // Through the parents, as painting resolves them.
        for (const char* section : masked)
            EXPECT_TRUE(m.IsValidImgIndex(m.GetMaskIndex(m.GetSkinIndex(section), section, "BORDERSMASK"))) << section;
        for (const char* section : glyphed)
            EXPECT_TRUE(m.IsValidImgIndex(m.GetMaskIndex(m.GetSkinIndex(section), section, "GLYPHMASK"))) << section;
        for (int glyph = 1; glyph <= 5; ++glyph) // BICONCLOSE to BICONHELP
            EXPECT_TRUE(m.IsValidImgIndex(m.ConstData.TitleGlyphs[glyph])) << skin::TitleGlyphKeys[glyph];
        for (int box : m.ConstData.CheckBox)
            EXPECT_TRUE(m.IsValidImgIndex(box));
        for (int radio : m.ConstData.RadioButton)
            EXPECT_TRUE(m.IsValidImgIndex(radio));
        EXPECT_GE(m.CommonSkinData.Version, 7.0);
        EXPECT_LE(m.CommonSkinData.Version, 8.4 + 1e-9);
        EXPECT_NE(m.MasterBitmap.Width(), 0);
    }
}

// What the set as a whole exercises of the format; each count would drop to zero if the
// generator lost that way of describing a skin.
TEST(InternalSkinSet, TheSetUsesTheWholeFormat)
{
    std::map<std::string, int> uses;
    std::set<int> fillModes, gradientModes;
    int version800 = 0;
    for (const auto& s : InternalSkins()) {
        ASSERT_NE(s.model, nullptr);
        const skin::TsSkinModel& m = *s.model;
        version800 += std::abs(m.CommonSkinData.Version - 8.0) < 1e-9;
        for (const auto& gd : m.gd) {
            if (!gd.ParentClass.empty())
                uses["parent"] = 1 + uses["parent"];
            uses["states" + std::to_string(std::min(gd.States, 3))] += 1;
            uses["usestate2"] += gd.UseState2;
            uses["glow"] += gd.GlowCount > 0;
            for (const auto& state : gd.Props) {
                uses["transparency"] += state.Transparency > 0;
                uses["textglow"] += state.GlowSize > 0;
                uses["outline"] += state.FontColor.Left >= 0;
                for (const auto& piece : state.GradientArray)
                    gradientModes.insert(piece.Mode1);
            }
            uses["caption"] += gd.ClassName == "CAPTION";
            uses["huge"] += gd.ClassName == "BUTTON_HUGE";
        }
        for (const auto& mask : m.ma) {
            if (mask.ImgType == skin::TacImgType::itisaTexture) {
                fillModes.insert(mask.DrawMode);
                uses[mask.Bmp ? "external texture" : "master texture"] += 1;
            }
            if (mask.PropertyName == "BORDERSMASK" && mask.ClassName == "FORM")
                uses[mask.CornerType > 0 ? "rounded" : "square"] += 1;
            if (mask.PropertyName == "BORDERSMASK" && mask.ClassName == "BUTTON" && mask.ImageCount == 4)
                uses["four images"] += 1;
            if (mask.PropertyName == "GLOW0" && mask.Bmp)
                uses["png glow"] += 1;
            uses["closealone"] += mask.PropertyName == "BICLOSEALONE";
            uses["small icons"] += mask.PropertyName == "SICONCLOSE";
        }
        for (const auto& file : m.ExtArray)
            uses[file.FileName.ends_with(".JPG") ? "jpeg" : file.FileName.ends_with(".PNG") ? "png" : "other"] += 1;
    }
    // A TRANSPARENT section is appended to every skin that lacks one, so the options text tells.
    for (const auto& package : assets::EmbeddedSkinPackages()) {
        skin::TacSkinConvertor opened;
        opened.PackedData = package.Data;
        ASSERT_TRUE(skin::ExtractPackedData(opened, [](const std::string&) {}));
        ASSERT_TRUE(opened.Options);
        std::string options(opened.Options->begin(), opened.Options->end());
        uses["transparent"] += options.find("\r\n[TRANSPARENT]\r\n") != std::string::npos;
    }
    for (const char* key : {"parent", "states1", "states2", "states3", "usestate2", "glow", "transparency", "textglow",
                            "outline", "caption", "transparent", "huge", "external texture", "master texture", "rounded",
                            "square", "four images", "png glow", "closealone", "small icons", "jpeg", "png"})
        EXPECT_GT(uses[key], 0) << key;
    // Some skins only: the rest rely on the defaults.
    EXPECT_LT(uses["caption"], 97);
    EXPECT_LT(uses["transparent"], 97);
    EXPECT_LT(uses["closealone"], 97);
    EXPECT_GE(fillModes.size(), 3u);
    EXPECT_TRUE(gradientModes.count(0) && gradientModes.count(1) && gradientModes.count(2));
    EXPECT_GT(version800, 97 / 2);
}

// The generator is deterministic: running it again yields the embedded bytes exactly.
TEST(InternalSkinSet, GeneratorRerunGivesTheSameBytes)
{
    const std::filesystem::path generator = std::filesystem::path(LUMO_BINARY_DIR) / "skingen";
    if (!std::filesystem::exists(generator))
        GTEST_SKIP() << "no generator at " << generator;
    const auto folder = std::filesystem::temp_directory_path() / ("lumo-skingen-" + std::to_string(::getpid()));
    const std::string command = "'" + generator.string() + "' '" + LUMO_SOURCE_DIR + "/assets/skins/styles.tsv' '" +
                                folder.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto packages = assets::EmbeddedSkinPackages();
    for (std::size_t i = 0; i < packages.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "skin-%02zu.vsz", i);
        std::ifstream in(folder / name, std::ios::binary);
        std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), packages[i].Data.begin(), packages[i].Data.end()))
            << packages[i].Name;
    }
    std::filesystem::remove_all(folder);
}

// A broken style table stops the build with a message naming the line, and writes no source.
TEST(InternalSkinSet, GeneratorRejectsABrokenStyleTable)
{
    const std::filesystem::path generator = std::filesystem::path(LUMO_BINARY_DIR) / "skingen";
    if (!std::filesystem::exists(generator))
        GTEST_SKIP() << "no generator at " << generator;
    const auto folder = std::filesystem::temp_directory_path() / ("lumo-skingen-broken-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ifstream in(std::string(LUMO_SOURCE_DIR) + "/assets/skins/styles.tsv", std::ios::binary);
    std::string table{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t colour = table.find("#E8EDF1");
    ASSERT_NE(colour, std::string::npos);
    table.replace(colour, 7, "#E8EDZZ");
    std::ofstream(folder / "styles.tsv", std::ios::binary) << table;
    const std::string command = "'" + generator.string() + "' '" + (folder / "styles.tsv").string() + "' '" +
                                (folder / "out").string() + "' 2>'" + (folder / "message").string() + "'";
    EXPECT_NE(std::system(command.c_str()), 0);
    std::ifstream messageFile(folder / "message");
    std::string message{std::istreambuf_iterator<char>(messageFile), std::istreambuf_iterator<char>()};
    EXPECT_NE(message.find("styles line"), std::string::npos) << message;
    EXPECT_NE(message.find("#E8EDZZ"), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(folder / "out" / "EmbeddedSkins.cpp"));
    std::filesystem::remove_all(folder);
}

} // namespace
