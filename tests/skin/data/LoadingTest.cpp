#include "ModelTestUtil.h"

#include "skin/manager/SkinLoading.h"
#include "skin/model/SkinModelJson.h"
#include "skin/package/PackageFolder.h"
#include "skin/package/SkinLocator.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace skintest;

namespace {

TestSkin SmallSkin()
{
    TestSkin s;
    s.Options = "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\nVERSION=8.00\r\nAUTHOR=me\r\n"
                "[BUTTON]\r\nCOLOR=255\r\nBORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^1^0\r\n"
                "HOTPATTERN=!Tile.PNG!1!0!1\r\nPATTERN=TILE.BMP\r\n";
    platform::Bitmap master = Solid(20, 20, platform::MakePixel(10, 200, 30));
    master.SetPixel(0, 0, platform::MakePixel(255, 0, 255));
    s.Add("Master.bmp", Bmp24(master));
    s.Add("tile.png", platform::EncodePng(Solid(4, 4, platform::MakePixel(1, 2, 3, 200))));
    s.Add("TILE.bmp", Bmp24(Solid(3, 3, platform::MakePixel(9, 8, 7))));
    return s;
}

// The model as JSON, without the one value that depends on where the skin lies.
std::string ModelJson(TsSkinModel& model)
{
    model.CommonSkinData.SkinPath.clear();
    return SkinModelToJson(model);
}

struct Messages {
    std::vector<std::string> errors, warnings;
    SkinLoadMessages Callbacks()
    {
        SkinLoadMessages m;
        m.ShowPlainError = [this](const std::string& t) { errors.push_back(t); };
        m.ShowPlainWarning = [this](const std::string& t) { warnings.push_back(t); };
        return m;
    }
};

ResolvedSkin PackedAt(const std::string& path)
{
    ResolvedSkin r;
    r.Kind = SkinSourceKind::PackedFile;
    r.PackedFile = path;
    r.Name = u"test";
    return r;
}

} // namespace

TEST(SkinRoundTrip, UnpackThenPackLoadsToTheSameModel)
{
    TempDir dir;
    const TestSkin skinData = SmallSkin();
    const std::string original = dir.Write("original.vsz", skinData.Package());
    const UnpackResult unpacked = UnpackPackage(ReadFile(original), dir.Str() + "/folder");
    EXPECT_EQ(unpacked.Written, (std::vector<std::string>{"Options.dat", "Master.bmp", "tile.png", "TILE.bmp"}));
    EXPECT_TRUE(unpacked.Problems.empty());
    const std::string again = dir.Write("again.vsz", PackFolder(dir.Str() + "/folder"));

    Messages messages;
    TsStoredSkins none;
    auto a = LoadResolvedSkin(PackedAt(original), none, u"/", {}, messages.Callbacks());
    auto b = LoadResolvedSkin(PackedAt(again), none, u"/", {}, messages.Callbacks());
    ASSERT_TRUE(a && b);
    EXPECT_GT(a->ma.size(), 3u);
    EXPECT_EQ(ModelJson(*a), ModelJson(*b));
    EXPECT_EQ(a->MasterBitmap, b->MasterBitmap);

    // The unpacked folder loads as a folder skin to the same model, although its file names are
    // written in other letter cases than the options text names them.
    ResolvedSkin folder;
    folder.Kind = SkinSourceKind::Folder;
    folder.Folder = platform::Utf8ToUtf16(dir.Str() + "/folder/");
    folder.FolderNative = dir.Str() + "/folder/";
    auto c = LoadResolvedSkin(folder, none, u"/", {}, messages.Callbacks());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->CommonSkinData.SkinPath, dir.Str() + "/folder/");
    EXPECT_EQ(ModelJson(*a), ModelJson(*c));
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.warnings.empty());
}

TEST(SkinRoundTrip, PackingNeedsOptionsAndUnpackingRefusesPathsInNames)
{
    TempDir dir;
    dir.Write("folder/a.bmp", "x");
    EXPECT_THROW(PackFolder(dir.Str() + "/folder"), PackageError);
    std::vector<PackageMember> evil = {{"Options.dat", Bytes("[A]")}, {"../evil.bmp", Bytes("x")}};
    EXPECT_THROW(UnpackPackage(WritePackage(evil), dir.Str() + "/out"), PackageError);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "evil.bmp"));
    EXPECT_THROW(UnpackPackage(Bytes("nope"), dir.Str() + "/out"), PackageError);
}

TEST(SkinLoading, BrokenPackagesReportWhatTheUserIsShown)
{
    TempDir dir;
    Messages messages;
    TsStoredSkins none;
    const std::string wrongMagic = dir.Write("bad.vsz", "XXXXsome bytes");
    try {
        LoadResolvedSkin(PackedAt(wrongMagic), none, u"/", {}, messages.Callbacks());
        FAIL();
    } catch (const SkinLoadError& e) {
        EXPECT_STREQ(e.what(), "Internal format error in the \"test\" skin. Please, update this skin to latest version.");
    }
    EXPECT_EQ(messages.errors, (std::vector<std::string>{"Loaded data is not a packed Quillon file"}));

    std::vector<PackageMember> noOptions = {{"a.bmp", Bytes("x")}};
    const std::string withoutOptions = dir.Write("nooptions.vsz", WritePackage(noOptions));
    EXPECT_THROW(LoadResolvedSkin(PackedAt(withoutOptions), none, u"/", {}, messages.Callbacks()), SkinLoadError);

    auto bytes = SmallSkin().Package();
    bytes[bytes.size() - 3] ^= 0x55;
    const std::string damaged = dir.Write("damaged.vsz", bytes);
    EXPECT_THROW(LoadResolvedSkin(PackedAt(damaged), none, u"/", {}, messages.Callbacks()), PackageError);
    EXPECT_THROW(LoadResolvedSkin(PackedAt(dir.Str() + "/gone.vsz"), none, u"/", {}, messages.Callbacks()), SkinLoadError);
}

TEST(SkinLoading, InternalSkinsAndTheVersionWarning)
{
    TsStoredSkins catalogue;
    TsStoredSkin empty;
    empty.Name = u"Empty (internal)";
    catalogue.Add(empty);
    TestSkin newer = SmallSkin();
    newer.Options.replace(newer.Options.find("VERSION=8.00"), 12, "VERSION=12.5");
    TsStoredSkin item;
    item.Name = u"Newer (internal)";
    item.PackedData = newer.Package();
    catalogue.Add(item);

    Messages messages;
    ResolvedSkin r = ResolveSkinName(u"Empty (internal)", u"/nowhere", u"/nowhere/", catalogue);
    ASSERT_EQ(r.Kind, SkinSourceKind::Internal);
    EXPECT_THROW(LoadResolvedSkin(r, catalogue, u"/nowhere/", {}, messages.Callbacks()), SkinLoadError);

    r = ResolveSkinName(u"Newer (internal)", u"/nowhere", u"/nowhere/", catalogue);
    auto model = LoadResolvedSkin(r, catalogue, u"/nowhere/", {}, messages.Callbacks());
    ASSERT_TRUE(model);
    EXPECT_EQ(model->CommonSkinData.Version, 12.5);
    EXPECT_TRUE(model->CommonSkinData.SkinPath.empty());
    ASSERT_EQ(messages.warnings.size(), 1u);
    EXPECT_EQ(messages.warnings[0], std::string(VersionWarning));
}

// Only a finite number is a version: anything else reads as 0, like other junk, raises no
// warning and leaves the model describable as JSON.
TEST(SkinLoading, AVersionThatIsNoFiniteNumberReadsAsZero)
{
    for (const char* junk : {"inf", "INF", "-inf", "+Infinity", "nan", "NaN(1)", "1e999", "8,00", "8.00x"}) {
        SCOPED_TRACE(junk);
        TestSkin skinData = SmallSkin();
        skinData.Options.replace(skinData.Options.find("VERSION=8.00"), 12, std::string("VERSION=") + junk);
        TsStoredSkins catalogue;
        TsStoredSkin item;
        item.Name = u"Junk (internal)";
        item.PackedData = skinData.Package();
        catalogue.Add(item);
        Messages messages;
        ResolvedSkin r = ResolveSkinName(u"Junk (internal)", u"/nowhere", u"/nowhere/", catalogue);
        auto model = LoadResolvedSkin(r, catalogue, u"/nowhere/", {}, messages.Callbacks());
        ASSERT_TRUE(model);
        EXPECT_EQ(model->CommonSkinData.Version, 0.0);
        EXPECT_TRUE(messages.warnings.empty());
        EXPECT_NE(ModelJson(*model).find("\"Version\":0}"), std::string::npos);
    }
}

TEST(SkinLoading, PreviewTextTakesPicturesFromTheFolder)
{
    TempDir dir;
    const TestSkin skinData = SmallSkin();
    UnpackPackage(skinData.Package(), dir.Str() + "/Preview");
    Messages messages;
    auto model = LoadSkinFromText(skinData.Options, platform::Utf8ToUtf16(dir.Str() + "/Preview"), {},
                                  messages.Callbacks());
    ASSERT_TRUE(model);
    EXPECT_EQ(model->MasterBitmap.Width(), 20);
    EXPECT_EQ(model->CommonSkinData.SkinPath, dir.Str() + "/Preview\\");
    EXPECT_GE(model->GetMaskIndex("BUTTON", "HOTPATTERN"), 0);
}

TEST(SkinLoading, FolderSkinsFindAbsolutePicturePathsOnDrivesIgnoringCase)
{
    TempDir drives;
    setenv("LUMO_DRIVE_ROOT", drives.Str().c_str(), 1);
    drives.Write("c/Shared Art/Glow.png", platform::EncodePng(Solid(6, 3, platform::MakePixel(1, 2, 3))));
    drives.Write("c/Skins/Mine/Options.dat",
                 "[GLOBALINFO]\r\nVERSION=8.00\r\n[BUTTON]\r\nGLYPHMASK=!c:\\shared art\\glow.PNG!3!0!2\r\n"
                 "PATTERN=!C:\\NOWHERE\\X.PNG!1!0!1\r\n");
    Messages messages;
    TsStoredSkins none;
    const ResolvedSkin where = ResolveSkinName(u"Mine", u"c:\\Skins", u"c:\\Skins\\", none);
    ASSERT_EQ(where.Kind, SkinSourceKind::Folder);
    auto model = LoadResolvedSkin(where, none, u"c:\\Skins\\", {}, messages.Callbacks());
    unsetenv("LUMO_DRIVE_ROOT");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->CommonSkinData.SkinPath, "c:\\Skins\\Mine\\");
    const int glyph = model->GetMaskIndex("BUTTON", "GLYPHMASK");
    ASSERT_GE(glyph, 0);
    EXPECT_EQ(model->ma[std::size_t(glyph)].Width, 2);
    EXPECT_EQ(model->GetMaskIndex("BUTTON", "PATTERN"), -1);
}
