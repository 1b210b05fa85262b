// lumo-skin render run as a user runs it: every internal skin in every window, skins given as a
// name, a packed file and a folder, the state options, and skins that cannot be drawn.
#include "../../support/ToolRun.h"

#include "assets/skins/EmbeddedSkins.h"
#include "platform/image/Image.h"
#include "skin/package/InternalSkins.h"
#include "skin/package/TsStoredSkins.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdio>
#include <fstream>
#include <set>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testsupport::RunTool;
using testsupport::ShellQuote;
using testsupport::ToolRun;

class RenderFolder {
public:
    RenderFolder()
    {
        path_ = fs::temp_directory_path() /
            ("lumo-render-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~RenderFolder() { fs::remove_all(path_); }
    std::string Str() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::vector<std::string> InternalSkinNames()
{
    skin::TsStoredSkins catalogue;
    skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
    std::vector<std::string> names;
    for (int i = 0; i < catalogue.Count(); ++i)
        names.push_back(platform::Utf16ToUtf8(catalogue.Item(i).Name));
    return names;
}

ToolRun Render(const RenderFolder& folder, const std::string& arguments, const std::string& out)
{
    return RunTool("render " + arguments + " " + ShellQuote(out), folder.Str());
}

platform::Bitmap Picture(const std::string& path) { return platform::LoadImageFile(path).bitmap; }

// The smallest rectangle holding every pixel in which a and b differ (alpha aside); empty when
// they are equal.
platform::RECT DifferingBox(const platform::Bitmap& a, const platform::Bitmap& b)
{
    platform::RECT box{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Pixel(x, y) | 0xFF000000u) != (b.Pixel(x, y) | 0xFF000000u)) {
                box.left = std::min<int>(box.left, x);
                box.top = std::min<int>(box.top, y);
                box.right = std::max<int>(box.right, x + 1);
                box.bottom = std::max<int>(box.bottom, y + 1);
            }
    return box.right > box.left ? box : platform::RECT{};
}

std::size_t PictureHash(const platform::Bitmap& b)
{
    std::size_t h = std::size_t(b.Width()) * 31 + std::size_t(b.Height());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            h = h * 1099511628211ull + (b.Pixel(x, y) & 0xFFFFFFu);
    return h;
}

bool SamePicture(const platform::Bitmap& a, const platform::Bitmap& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() && DifferingBox(a, b).right == 0;
}

class EveryInternalSkin : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryInternalSkin, DrawsTheWindowWithoutAWordOnStandardError)
{
    RenderFolder folder;
    const std::vector<std::string> skins = InternalSkinNames();
    ASSERT_EQ(skins.size(), 97u);
    int width = 0, height = 0;
    std::set<std::size_t> looks;
    for (const std::string& skin : skins) {
        SCOPED_TRACE(skin);
        const std::string out = folder.File("window.png");
        fs::remove(out);
        ToolRun run = Render(folder, "--skin " + ShellQuote(skin) + " --window " + GetParam(), out);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        platform::Bitmap picture = Picture(out);
        if (width == 0) {
            width = picture.Width();
            height = picture.Height();
            EXPECT_GT(width, 100);
            EXPECT_GT(height, 100);
        }
        // The program's windows have a fixed size, whatever the skin.
        EXPECT_EQ(picture.Width(), width);
        EXPECT_EQ(picture.Height(), height);
        looks.insert(PictureHash(picture));
    }
    std::printf("%zu different pictures of the %s window in %zu skins\n", looks.size(), GetParam(), skins.size());
    // Every skin has a look of its own in the main window (panels and buttons).
    if (std::string(GetParam()) == "main") {
        EXPECT_EQ(looks.size(), skins.size());
    }
}

INSTANTIATE_TEST_SUITE_P(LumoSkinRender, EveryInternalSkin,
                         ::testing::Values("main", "settings", "tales", "guide", "help", "about", "donation",
                                           "message"));

TEST(LumoSkinRender, TheResetQuestionShowsTheStatesOfItsButtons)
{
    RenderFolder folder;
    const std::string skin = "--skin 'MetroUI (internal)' --window message";
    ToolRun rest = Render(folder, skin, folder.File("rest.png"));
    ASSERT_EQ(rest.exitCode, 0) << rest.err;
    EXPECT_EQ(rest.err, "");
    const platform::Bitmap picture = Picture(folder.File("rest.png"));
    // The question is smaller than the settings window it comes from.
    EXPECT_GT(picture.Width(), 200);
    EXPECT_LT(picture.Width(), 500);
    // The mouse over Cancel changes Cancel alone (OK keeps its focus).
    ToolRun hot = Render(folder, skin + " --hot Cancel", folder.File("hot.png"));
    ASSERT_EQ(hot.exitCode, 0) << hot.err;
    const platform::RECT box = DifferingBox(picture, Picture(folder.File("hot.png")));
    EXPECT_GT(box.right - box.left, 0) << "the state does not show";
    EXPECT_LE(box.right - box.left, 80);
    EXPECT_LE(box.bottom - box.top, 30);
    EXPECT_GT(box.left, picture.Width() / 2);
    // A control the question does not have is refused.
    EXPECT_EQ(Render(folder, skin + " --hot sBitBtn2", folder.File("none.png")).exitCode, 1);
}

TEST(LumoSkinRender, APackedFileAndAFolderOfASkinDrawAsItsInternalName)
{
    RenderFolder folder;
    const std::string name = "Wood (internal)";
    ToolRun extract = RunTool("extract " + ShellQuote(name) + " .", folder.Str());
    ASSERT_EQ(extract.exitCode, 0) << extract.err;
    const std::string packed = "Wood (internal) extracted.vsz";
    ToolRun unpack = RunTool("unpack " + ShellQuote(packed) + " skins/Woodwork", folder.Str());
    ASSERT_EQ(unpack.exitCode, 0) << unpack.err;

    ToolRun byName = Render(folder, "--skin " + ShellQuote(name) + " --window main", folder.File("name.png"));
    ToolRun byFile = Render(folder, "--skin " + ShellQuote(packed) + " --window main", folder.File("file.png"));
    ToolRun byFolder = Render(folder, "--skin skins/Woodwork/ --window main", folder.File("folder.png"));
    ASSERT_EQ(byName.exitCode, 0) << byName.err;
    ASSERT_EQ(byFile.exitCode, 0) << byFile.err;
    ASSERT_EQ(byFolder.exitCode, 0) << byFolder.err;
    EXPECT_EQ(byFile.err + byFolder.err, "");
    const platform::Bitmap reference = Picture(folder.File("name.png"));
    EXPECT_TRUE(SamePicture(Picture(folder.File("file.png")), reference));
    EXPECT_TRUE(SamePicture(Picture(folder.File("folder.png")), reference));

    // A bare name is looked for in the program's skin directory "c:\Skins" first.
    fs::create_directories(folder.File("drives/c/Skins"));
    fs::copy_file(folder.File(packed), folder.File("drives/c/Skins/Woodwork.vsz"));
    ToolRun byDirectory = RunTool("render --skin Woodwork --window main " + ShellQuote(folder.File("directory.png")),
                                  folder.Str(), "LUMO_DRIVE_ROOT=" + ShellQuote(folder.File("drives")));
    ASSERT_EQ(byDirectory.exitCode, 0) << byDirectory.err;
    EXPECT_EQ(byDirectory.err, "");
    EXPECT_TRUE(SamePicture(Picture(folder.File("directory.png")), reference));

    // The program takes a packed file before a folder of the same name, and so does the tool,
    // saying so.
    fs::copy_file(folder.File(packed), folder.File("skins/Woodwork.vsz"));
    ToolRun shadowed = Render(folder, "--skin skins/Woodwork --window main", folder.File("shadowed.png"));
    EXPECT_EQ(shadowed.exitCode, 0) << shadowed.err;
    EXPECT_NE(shadowed.err.find("Woodwork.vsz"), std::string::npos) << shadowed.err;
}

TEST(LumoSkinRender, AnUnknownNameDrawsTheFirstInternalSkinAndSaysSo)
{
    RenderFolder folder;
    const std::string first = InternalSkinNames().front();
    ToolRun unknown = Render(folder, "--skin 'No Such Skin' --window about", folder.File("unknown.png"));
    ToolRun named = Render(folder, "--skin " + ShellQuote(first) + " --window about", folder.File("first.png"));
    ASSERT_EQ(unknown.exitCode, 0) << unknown.err;
    ASSERT_EQ(named.exitCode, 0) << named.err;
    EXPECT_NE(unknown.err.find("No Such Skin"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find(first), std::string::npos) << unknown.err;
    EXPECT_TRUE(SamePicture(Picture(folder.File("unknown.png")), Picture(folder.File("first.png"))));
}

TEST(LumoSkinRender, ABrokenSkinFileGivesTheManagersMessageAndNoPicture)
{
    RenderFolder folder;
    {
        std::ofstream(folder.File("Broken.vsz"), std::ios::binary) << "not a skin package at all";
    }
    ToolRun run = Render(folder, "--skin Broken.vsz --window main", folder.File("broken.png"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Internal format error in the \"Broken\" skin."), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder.File("broken.png")));

    // A folder without its options file is no skin, and the program would silently draw another.
    fs::create_directories(folder.File("Empty"));
    run = Render(folder, "--skin Empty --window main", folder.File("empty.png"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Options.dat"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder.File("empty.png")));
}

TEST(LumoSkinRender, EachStateChangesOnlyItsControls)
{
    RenderFolder folder;
    const std::string skin = "--skin 'Windows 8 (internal)' --window main";
    ASSERT_EQ(Render(folder, skin, folder.File("rest.png")).exitCode, 0);
    const platform::Bitmap rest = Picture(folder.File("rest.png"));
    // sBitBtn1 and sBitBtn2 are 107 x 36 side by side, sSpeedButton4 32 x 32. A bit button
    // pressed takes the focus from sBitBtn1, which has it at first.
    struct Case {
        const char* option;
        int width, height;
    };
    for (Case c : {Case{"--hot sBitBtn2", 107, 36}, Case{"--pressed sBitBtn2", 2 * 107 + 2, 36},
                   Case{"--disabled sBitBtn2", 107, 36}, Case{"--hot sSpeedButton4", 32, 32},
                   Case{"--pressed sSpeedButton4", 32, 32}}) {
        SCOPED_TRACE(c.option);
        ToolRun run = Render(folder, skin + " " + c.option, folder.File("state.png"));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const platform::RECT box = DifferingBox(rest, Picture(folder.File("state.png")));
        EXPECT_GT(box.right - box.left, 0) << "the state does not show";
        EXPECT_LE(box.right - box.left, c.width);
        EXPECT_LE(box.bottom - box.top, c.height);
    }
    // The focus moves from the first source button to the third: two buttons change.
    ToolRun focus = Render(folder, skin + " --focus sBitBtn3", folder.File("focus.png"));
    ASSERT_EQ(focus.exitCode, 0) << focus.err;
    const platform::RECT box = DifferingBox(rest, Picture(folder.File("focus.png")));
    EXPECT_GT(box.right - box.left, 107);
    EXPECT_LE(box.right - box.left, 3 * 107 + 10);
    EXPECT_LE(box.bottom - box.top, 36);
}

TEST(LumoSkinRender, ControlsThatCannotBeInTheStateAskedForAreRefused)
{
    RenderFolder folder;
    const std::string skin = "--skin 'Windows 8 (internal)' --window main ";
    ToolRun missing = Render(folder, skin + "--hot sButton9", folder.File("a.png"));
    EXPECT_EQ(missing.exitCode, 1);
    // The message names the controls there are.
    EXPECT_NE(missing.err.find("sSpeedButton13"), std::string::npos) << missing.err;
    ToolRun hidden = Render(folder, skin + "--hot MoveEdit", folder.File("b.png"));
    EXPECT_EQ(hidden.exitCode, 1);
    ToolRun focus = Render(folder, skin + "--focus sSpeedButton1", folder.File("c.png"));
    EXPECT_EQ(focus.exitCode, 1);
    ToolRun twoMice = Render(folder, skin + "--hot sBitBtn1 --pressed sBitBtn2", folder.File("d.png"));
    EXPECT_EQ(twoMice.exitCode, 2);
    ToolRun window = Render(folder, "--skin 'Windows 8 (internal)' --window player", folder.File("e.png"));
    EXPECT_EQ(window.exitCode, 2);
    for (const char* name : {"a.png", "b.png", "c.png", "d.png", "e.png"})
        EXPECT_FALSE(fs::exists(folder.File(name))) << name;
}

} // namespace

namespace {

TEST(LumoSkinSheet, PaintsATileOfItsOwnForEveryInternalSkin)
{
    RenderFolder folder;
    ToolRun run = RunTool("sheet sheet.png", folder.Str());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const platform::Bitmap sheet = Picture(folder.File("sheet.png"));
    // Seven tiles of 264 x 168 a row with gaps of 8, fourteen rows.
    ASSERT_EQ(sheet.Width(), 8 + 7 * (264 + 8));
    ASSERT_EQ(sheet.Height(), 8 + 14 * (168 + 8));
    std::vector<platform::Bitmap> tiles;
    for (int i = 0; i < 97; ++i) {
        platform::Bitmap tile(264, 168);
        for (int y = 0; y < 168; ++y)
            for (int x = 0; x < 264; ++x)
                tile.SetPixel(x, y, sheet.Pixel(8 + (i % 7) * 272 + x, 8 + (i / 7) * 176 + y));
        tiles.push_back(std::move(tile));
    }
    // A skin that failed to paint would leave its tile like another's, or the sheet's own grey.
    for (std::size_t i = 0; i < tiles.size(); ++i)
        for (std::size_t j = i + 1; j < tiles.size(); ++j)
            EXPECT_FALSE(SamePicture(tiles[i], tiles[j])) << "tiles " << i << " and " << j << " are the same";
}

} // namespace
