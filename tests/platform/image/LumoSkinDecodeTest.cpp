// The lumo-skin tool's decode command, run as a user runs it.
#include "tests/platform/image/ImageTestSupport.h"
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace platform::test {
namespace {

using testsupport::RunTool;
using testsupport::ToolRun;

TEST(LumoSkinDecode, WritesThePictureAsTheSkinEngineSeesIt)
{
    std::string folder = TempFolder("tool");
    BmpSpec layout; // 24-bit: fuchsia, then grey
    layout.width = 2;
    layout.pixels = {255, 0, 255, 128, 128, 128, 0, 0};
    WriteFile(folder + "/in.bmp", MakeBmp(layout));

    ToolRun run = RunTool("decode " + folder + "/in.bmp " + folder + "/out.png", folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    DecodedImage written = LoadImageFile(folder + "/out.png");
    EXPECT_EQ(written.format, ImageFormat::Png);
    ASSERT_EQ(written.bitmap.Width(), 2);
    EXPECT_EQ(written.bitmap.Pixel(0, 0), MakePixel(255, 0, 255, 0));
    EXPECT_EQ(written.bitmap.Pixel(1, 0), MakePixel(128, 128, 128, 255));
    std::filesystem::remove_all(folder);
}

TEST(LumoSkinDecode, RefusedPictureExitsWithOneAndAReason)
{
    std::string folder = TempFolder("tool-bad");
    std::string bad = SharedPath("testdata/bmpsuite/b/badrle.bmp");
    ToolRun run = RunTool("decode " + bad + " " + folder + "/out.png", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("lumo-skin: " + bad + ": ", 0), 0u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/out.png"));

    run = RunTool("decode " + folder + "/none.bmp " + folder + "/out.png", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "lumo-skin: " + folder + "/none.bmp: cannot open: No such file or directory\n");
    std::filesystem::remove_all(folder);
}

TEST(LumoSkinDecode, UsageErrorsExitWithTwoAndHelpWithZero)
{
    std::string folder = TempFolder("tool-usage");
    for (const char* arguments : {"", "decode", "decode a.bmp", "decode a b c", "decode --frob a b", "frobnicate"}) {
        ToolRun run = RunTool(arguments, folder);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err, "") << arguments;
    }
    ToolRun help = RunTool("--help", folder);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("decode"), std::string::npos);
    help = RunTool("decode --help", folder);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: lumo-skin decode IMAGE OUT.png"), std::string::npos) << help.out;
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace platform::test
