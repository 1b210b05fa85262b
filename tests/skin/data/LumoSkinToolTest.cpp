// The lumo-skin tool's skin commands, run as a user runs them: packing, unpacking, listing and
// describing skins.
#include "ModelTestUtil.h"
#include "tests/support/ToolRun.h"

#include "skin/package/PackageFolder.h"
#include "skin/package/TacSkinConvertor.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace skintest;
using testsupport::RunTool;
using testsupport::ShellQuote;
using testsupport::ToolRun;

namespace {

TestSkin TinySkin(const std::string& author)
{
    TestSkin s;
    s.Options = "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\nVERSION=8.00\r\nAUTHOR=" + author + "\r\n";
    s.Add("Master.bmp", Bmp24(Solid(4, 4, platform::MakePixel(10, 20, 30))));
    return s;
}

std::vector<std::string> MemberNames(const std::vector<std::uint8_t>& package)
{
    TacSkinConvertor convertor;
    convertor.PackedData = package;
    EXPECT_TRUE(ExtractPackedData(convertor, {}));
    std::vector<std::string> names;
    if (convertor.Options)
        names.push_back("Options.dat");
    for (const TacImageItem& item : convertor.Files)
        names.push_back(item.FileName);
    return names;
}

TEST(LumoSkinPack, LeavesOutTheOutputFileAndEveryPackageOfTheFolder)
{
    TempDir dir;
    dir.Write("skin/Options.dat", "[GLOBALINFO]\r\n");
    dir.Write("skin/Master.bmp", "pixels");
    dir.Write("skin/older.VSZ", "an earlier package");
    for (int run = 0; run < 2; ++run) {
        ToolRun pack = RunTool("pack skin skin/out.bin", dir.Str());
        ASSERT_EQ(pack.exitCode, 0) << pack.err;
    }
    EXPECT_EQ(MemberNames(ReadFile(dir.Str() + "/skin/out.bin")), (std::vector<std::string>{"Options.dat", "Master.bmp"}));
    std::filesystem::remove(dir.Path() / "skin/out.bin");
    ToolRun pack = RunTool("pack skin skin/skin.vsz", dir.Str());
    ASSERT_EQ(pack.exitCode, 0) << pack.err;
    EXPECT_EQ(MemberNames(ReadFile(dir.Str() + "/skin/skin.vsz")), (std::vector<std::string>{"Options.dat", "Master.bmp"}));
    ToolRun help = RunTool("pack --help", dir.Str());
    EXPECT_NE(help.out.find(".vsz"), std::string::npos);
}

TEST(LumoSkinUnpack, NeverOverwritesSaysWhatItSkippedAndFailsThen)
{
    TempDir dir;
    std::vector<PackageMember> clash = {{"Options.dat", Bytes("[GLOBALINFO]\r\n")},
                                        {"Master.bmp", Bytes("first")},
                                        {"MASTER.BMP", Bytes("second")},
                                        {"OPTIONS.DAT", Bytes("[OTHER]\r\n")}};
    dir.Write("clash.vsz", WritePackage(clash));
    ToolRun run = RunTool("unpack clash.vsz out", dir.Str());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("MASTER.BMP"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("OPTIONS.DAT"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(dir.Str() + "/out/Master.bmp"), Bytes("first"));
    EXPECT_EQ(ReadFile(dir.Str() + "/out/Options.dat"), Bytes("[GLOBALINFO]\r\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "out/MASTER.BMP"));

    // A file already in the folder is the user's: it stays as it was.
    dir.Write("mine/master.bmp", "mine");
    run = RunTool("unpack clash.vsz mine", dir.Str());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadFile(dir.Str() + "/mine/master.bmp"), Bytes("mine"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "mine/Options.dat"));

    std::vector<PackageMember> noOptions = {{"Master.bmp", Bytes("x")}};
    dir.Write("bare.vsz", WritePackage(noOptions));
    run = RunTool("unpack bare.vsz bare", dir.Str());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Options.dat"), std::string::npos) << run.err;

    dir.Write("good.vsz", TinySkin("me").Package());
    run = RunTool("unpack good.vsz good", dir.Str());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ToolRun help = RunTool("unpack --help", dir.Str());
    EXPECT_NE(help.out.find("overwrit"), std::string::npos) << help.out;
}

TEST(LumoSkinList, ASkinFolderIsTakenFromTheCurrentFolderAndMustExist)
{
    TempDir dir;
    dir.Write("work/skins/Mine.vsz", TinySkin("me").Package());
    ToolRun run = RunTool("list --skin-dir skins", dir.Str() + "/work");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\nMine\n"), std::string::npos) << run.out;

    run = RunTool("list --skin-dir no-such-folder", dir.Str() + "/work");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("no-such-folder"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    ToolRun help = RunTool("list --help", dir.Str());
    EXPECT_NE(help.out.find("current folder"), std::string::npos) << help.out;
}

TEST(LumoSkinInfo, NamesResolveAsTheProgramResolvesThem)
{
    TempDir dir;
    const std::string drives = "LUMO_DRIVE_ROOT=" + ShellQuote(dir.Str() + "/drives");
    for (const char* name : {"Acryl (internal).vsz", "Acryl (internal).VSZ", "acryl (internal)"}) {
        ToolRun run = RunTool("info " + ShellQuote(name), dir.Str(), drives);
        EXPECT_EQ(run.exitCode, 0) << name << ": " << run.err;
        EXPECT_NE(run.out.find("Skin:           Acryl (internal)\n"), std::string::npos) << name << ": " << run.out;
        EXPECT_NE(run.out.find("Source:         internal skin\n"), std::string::npos) << name << ": " << run.out;
    }
    // A name the catalogue lacks loads its first skin, and the tool says so.
    ToolRun fallback = RunTool("info " + ShellQuote("acryl (internal)"), dir.Str(), drives);
    EXPECT_NE(fallback.err.find("Acryl (internal)"), std::string::npos) << fallback.err;

    // A packed file in the program's skin folder wins over the internal skin of its name.
    dir.Write("drives/c/Skins/Acryl (internal).vsz", TinySkin("packed").Package());
    ToolRun packed = RunTool("info " + ShellQuote("Acryl (internal)"), dir.Str(), drives);
    EXPECT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_NE(packed.out.find("Source:         packed skin file\n"), std::string::npos) << packed.out;
    EXPECT_NE(packed.out.find("Author:         packed\n"), std::string::npos) << packed.out;

    // A folder given with a trailing separator is named after itself.
    UnpackPackage(TinySkin("folder").Package(), dir.Str() + "/My Skin");
    ToolRun folder = RunTool("info " + ShellQuote("My Skin/"), dir.Str(), drives);
    EXPECT_EQ(folder.exitCode, 0) << folder.err;
    EXPECT_NE(folder.out.find("Skin:           My Skin\n"), std::string::npos) << folder.out;
    EXPECT_NE(folder.out.find("Source:         skin folder\n"), std::string::npos) << folder.out;
    ToolRun help = RunTool("info --help", dir.Str());
    EXPECT_NE(help.out.find("c:\\Skins"), std::string::npos) << help.out;
}

} // namespace
