#include "SkinTestUtil.h"
#include "tests/support/LargestAllocation.h"

#include "skin/package/InternalSkins.h"
#include "skin/package/PackageWriter.h"
#include "skin/package/SkinLocator.h"
#include "skin/package/SkinPaths.h"
#include "skin/package/TacSkinConvertor.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

using namespace skin;
using skintest::Bytes;
using skintest::TempDir;

namespace {

std::vector<std::uint8_t> SamplePackage()
{
    std::vector<PackageMember> members = {
        {"Options.dat", Bytes("[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\n")},
        {"Master.bmp", Bytes("not really a bitmap")},
        {"glow.PNG", std::vector<std::uint8_t>(5000, 7)},
    };
    return WritePackage(members);
}

struct Extracted {
    bool ok = false;
    std::string error;
    TacSkinConvertor conv;
};

Extracted Extract(const std::vector<std::uint8_t>& bytes)
{
    Extracted e;
    e.conv.PackedData = bytes;
    e.ok = ExtractPackedData(e.conv, [&](const std::string& text) { e.error = text; });
    return e;
}

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(std::uint8_t(std::uint32_t(value) >> (8 * i)));
}

// A member record with a hand-made stream.
void AppendMember(std::vector<std::uint8_t>& out, std::string_view name, std::int32_t statedSize,
                  const std::vector<std::uint8_t>& stream)
{
    AppendInt32(out, std::int32_t(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    AppendInt32(out, statedSize);
    out.insert(out.end(), stream.begin(), stream.end());
}

std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& data)
{
    uLongf size = compressBound(uLong(data.size()));
    std::vector<std::uint8_t> out(size);
    compress(out.data(), &size, data.data(), uLong(data.size()));
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> Header(std::int32_t count)
{
    std::vector<std::uint8_t> out = Bytes("VSzf");
    AppendInt32(out, count);
    return out;
}

} // namespace

TEST(PackageReader, ReadsEveryMemberAndContinuesAtTheExactEndOfEachStream)
{
    auto e = Extract(SamplePackage());
    ASSERT_TRUE(e.ok);
    ASSERT_TRUE(e.conv.Options.has_value());
    EXPECT_EQ(std::string(e.conv.Options->begin(), e.conv.Options->end()),
              "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\n");
    EXPECT_EQ(e.conv.ImageCount, 2);
    ASSERT_EQ(e.conv.Files.size(), 2u);
    EXPECT_EQ(e.conv.Files[0].FileName, "Master.bmp");
    EXPECT_TRUE(e.conv.Files[0].IsBitmap);
    EXPECT_EQ(e.conv.Files[1].FileName, "glow.PNG");
    EXPECT_FALSE(e.conv.Files[1].IsBitmap);
    EXPECT_EQ(e.conv.Files[1].FileStream, std::vector<std::uint8_t>(5000, 7));
    // Member names are found upper-cased on both sides.
    EXPECT_EQ(e.conv.FindFile("MASTER.BMP"), &e.conv.Files[0]);
    EXPECT_EQ(e.conv.FindFile("GLOW.PNG"), &e.conv.Files[1]);
    EXPECT_EQ(e.conv.FindFile("GLOW.BMP"), nullptr);
}

TEST(PackageReader, OptionsNeedNotBeTheFirstMemberAndItsNameIsComparedUpperCased)
{
    std::vector<PackageMember> members = {
        {"a.bmp", Bytes("A")}, {"OPTIONS.dat", Bytes("[X]\r\n")}, {"b.jpg", Bytes("B")}};
    auto e = Extract(WritePackage(members));
    ASSERT_TRUE(e.ok);
    ASSERT_TRUE(e.conv.Options.has_value());
    EXPECT_EQ(std::string(e.conv.Options->begin(), e.conv.Options->end()), "[X]\r\n");
    ASSERT_EQ(e.conv.Files.size(), 2u);
    EXPECT_EQ(e.conv.Files[1].FileName, "b.jpg");
}

TEST(PackageReader, StreamsWrittenWithOtherLevelsAndEmptyMembersAreRead)
{
    std::vector<PackageMember> members = {{"Options.dat", {}}, {"x.bmp", std::vector<std::uint8_t>(70000, 1)}};
    for (int level : {0, 1, 9}) {
        auto e = Extract(WritePackage(members, level));
        ASSERT_TRUE(e.ok) << level;
        EXPECT_TRUE(e.conv.Options.has_value() && e.conv.Options->empty());
        EXPECT_EQ(e.conv.Files.at(0).FileStream.size(), 70000u);
    }
}

TEST(PackageReader, WrongMagicShowsTheMessageAndLeavesOptionsEmpty)
{
    auto bytes = SamplePackage();
    bytes[3] = 'F';
    auto e = Extract(bytes);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.error, "Loaded data is not a packed Quillon file");
    EXPECT_FALSE(e.conv.Options.has_value());
    auto tiny = Extract(Bytes("VS"));
    EXPECT_FALSE(tiny.ok);
    EXPECT_EQ(tiny.error, "Loaded data is not a packed Quillon file");
}

TEST(PackageReader, EveryTruncationIsRefusedWithoutReadingPastTheEnd)
{
    const auto full = SamplePackage();
    for (std::size_t n = 4; n < full.size(); ++n) {
        std::vector<std::uint8_t> cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        TacSkinConvertor conv;
        conv.PackedData = cut;
        EXPECT_THROW(ExtractPackedData(conv, {}), PackageError) << "cut at " << n;
    }
}

TEST(PackageReader, DamagedStreamsAndLyingSizesAreRefused)
{
    const auto content = Bytes("[GLOBALINFO]\r\nVERSION=8.00\r\n");
    const auto stream = Compress(content);

    auto shorter = Header(1);
    AppendMember(shorter, "Options.dat", std::int32_t(content.size()) + 1, stream);
    EXPECT_THROW(Extract(shorter), PackageError);

    auto longer = Header(1);
    AppendMember(longer, "Options.dat", std::int32_t(content.size()) - 1, stream);
    EXPECT_THROW(Extract(longer), PackageError);

    auto damaged = Header(1);
    auto bad = stream;
    bad[bad.size() - 1] ^= 0xFF; // the Adler-32 trailer
    AppendMember(damaged, "Options.dat", std::int32_t(content.size()), bad);
    EXPECT_THROW(Extract(damaged), PackageError);

    auto garbage = Header(1);
    AppendMember(garbage, "Options.dat", 10, Bytes("this is no zlib stream"));
    EXPECT_THROW(Extract(garbage), PackageError);
}

TEST(PackageReader, AbsurdCountsNameLengthsAndSizesAreRefusedBeforeAllocating)
{
    const auto stream = Compress(Bytes("x"));
    for (std::int32_t count : {0, -1, 0x7FFFFFFF}) {
        auto bytes = Header(count);
        AppendMember(bytes, "Options.dat", 1, stream);
        if (count == 0x7FFFFFFF)
            EXPECT_THROW(Extract(bytes), PackageError);
        else
            EXPECT_THROW(Extract(bytes), PackageError) << count;
    }
    for (std::int32_t nameLength : {-5, 0x7FFFFFF0}) {
        auto bytes = Header(1);
        AppendInt32(bytes, nameLength);
        bytes.insert(bytes.end(), 40, 'a');
        EXPECT_THROW(Extract(bytes), PackageError) << nameLength;
    }
    for (std::int32_t size : {-1, 0x7FFFFFFF}) {
        auto bytes = Header(1);
        AppendMember(bytes, "Options.dat", size, stream);
        EXPECT_THROW(Extract(bytes), PackageError) << size;
    }
}

// A member may state up to the reader's limit, but memory is only taken as its stream delivers.
TEST(PackageReader, MemoryGrowsWithWhatAStreamHoldsNotWithWhatItStates)
{
    std::vector<std::uint8_t> content(520 * 1024, 'x');
    uLongf streamSize = compressBound(uLong(content.size()));
    std::vector<std::uint8_t> stored(streamSize);
    ASSERT_EQ(compress2(stored.data(), &streamSize, content.data(), uLong(content.size()), 0), Z_OK);
    stored.resize(streamSize);

    auto lying = Header(1);
    AppendMember(lying, "Options.dat", 1 << 29, stored);
    testsupport::ResetLargestAllocation();
    EXPECT_THROW(Extract(lying), PackageError);
    EXPECT_LT(testsupport::LargestAllocation(), 4 * lying.size());

    // A member that really holds much more than its stream's size is read whole.
    std::vector<std::uint8_t> zeros(8 << 20, 0);
    auto honest = Header(1);
    AppendMember(honest, "Options.dat", std::int32_t(zeros.size()), Compress(zeros));
    ASSERT_LT(honest.size(), 64u * 1024);
    testsupport::ResetLargestAllocation();
    Extracted e = Extract(honest);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(*e.conv.Options, zeros);
    EXPECT_LE(testsupport::LargestAllocation(), zeros.size() * 2);
}

TEST(PackageFile, MissingFileDoesNothingAndAFileIsReadWhole)
{
    TempDir dir;
    std::optional<TacSkinConvertor> slot;
    EXPECT_FALSE(LoadSkinFromFile(dir.Str() + "/none.vsz", slot, {}));
    EXPECT_FALSE(slot.has_value());
    const std::string path = dir.Write("a.vsz", SamplePackage());
    EXPECT_TRUE(LoadSkinFromFile(path, slot, {}));
    ASSERT_TRUE(slot.has_value());
    EXPECT_TRUE(slot->Options.has_value());
    EXPECT_EQ(slot->Files.size(), 2u);
    EXPECT_TRUE(slot->PackedData.empty());
    // A second load replaces the first.
    const std::string other = dir.Write("b.vsz", WritePackage(std::vector<PackageMember>{{"Options.dat", Bytes("B")}}));
    EXPECT_TRUE(LoadSkinFromFile(other, slot, {}));
    EXPECT_TRUE(slot->Files.empty());
}

TEST(StoredSkins, IndexOfIsExactAndCaseSensitiveAndChangesAreAnnounced)
{
    TsStoredSkins list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    TsStoredSkin a;
    a.Name = u"Acryl (internal)";
    list.Add(a);
    TsStoredSkin b;
    b.Name = u"Zest (internal)";
    list.Add(b);
    list.Add(a);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.IndexOf(u"Acryl (internal)"), 0);
    EXPECT_EQ(list.IndexOf(u"Zest (internal)"), 1);
    EXPECT_EQ(list.IndexOf(u"acryl (internal)"), -1);
    EXPECT_EQ(list.IndexOf(u"Acryl"), -1);
    EXPECT_EQ(list.IndexOf(u""), -1);
    list.Delete(0);
    EXPECT_EQ(list.IndexOf(u"Acryl (internal)"), 1);
    EXPECT_EQ(changes, 4);
}

TEST(StoredSkins, StoredItemDefaultsAndTheCatalogueNames)
{
    TsStoredSkin item;
    EXPECT_EQ(item.Shadow1Blur, -1);
    EXPECT_EQ(item.BorderColor, 0xFF00FFu);
    EXPECT_EQ(InternalSkinNames.front(), "Acryl (internal)");
    EXPECT_EQ(InternalSkinNames[86], "Windows 8 (internal)");
    EXPECT_EQ(InternalSkinNames.back(), "Zest (internal)");
    for (std::string_view name : InternalSkinNames)
        EXPECT_TRUE(name.ends_with(" (internal)")) << name;

    const auto bytes = SamplePackage();
    const InternalSkinPackage packages[] = {{"One (internal)", bytes}, {"Two (internal)", bytes}};
    TsStoredSkins catalogue;
    FillInternalSkins(catalogue, packages);
    ASSERT_EQ(catalogue.Count(), 2);
    EXPECT_EQ(catalogue.Item(1).Name, u"Two (internal)");
    EXPECT_EQ(catalogue.Item(1).PackedData, bytes);
    EXPECT_EQ(catalogue.Item(1).Shadow1Blur, -1);
}

TEST(SkinDirectory, FullDirectoryRules)
{
    const platform::String p = u"/opt/lumo/bin/";
    EXPECT_EQ(GetFullSkinDirectory(u"..\\Skins", p), u"/opt/lumo/Skins\\");
    EXPECT_EQ(GetFullSkinDirectory(u".\\Skins", p), u"/opt/lumo/bin/Skins\\");
    EXPECT_EQ(GetFullSkinDirectory(u"./Skins/", p), u"/opt/lumo/bin/Skins/");
    EXPECT_EQ(GetFullSkinDirectory(u".", p), u"/opt/lumo/bin/");
    EXPECT_EQ(GetFullSkinDirectory(u"Skins", p), u"/opt/lumo/bin/Skins\\");
    EXPECT_EQ(GetFullSkinDirectory(u"c:\\Skins", p), u"c:\\Skins\\");
    EXPECT_EQ(GetFullSkinDirectory(u"\\\\server\\Skins\\", p), u"\\\\server\\Skins\\");
    EXPECT_EQ(GetFullSkinDirectory(u"/srv/skins", p), u"/srv/skins\\");
}

TEST(SkinDirectory, DriveLetterPathsLiveUnderTheDriveRoot)
{
    TempDir dir;
    setenv("LUMO_DRIVE_ROOT", dir.Str().c_str(), 1);
    EXPECT_EQ(NativePath(platform::StringView(u"c:\\Skins\\a b.vsz")), dir.Str() + "/c/Skins/a b.vsz");
    EXPECT_EQ(NativePath(platform::StringView(u"D:")), dir.Str() + "/d");
    EXPECT_EQ(NativePath(platform::StringView(u"rel\\x")), "rel/x");
    unsetenv("LUMO_DRIVE_ROOT");
}

namespace {

TsStoredSkins Catalogue(std::initializer_list<const char16_t*> names)
{
    TsStoredSkins c;
    for (auto n : names) {
        TsStoredSkin item;
        item.Name = n;
        c.Add(item);
    }
    return c;
}

} // namespace

TEST(SkinResolution, PackedFileThenFolderThenInternalThenTheFirstItem)
{
    TempDir dir;
    const platform::String skins = platform::Utf8ToUtf16(dir.Str()) + u"/Skins";
    const platform::String full = GetFullSkinDirectory(skins, u"/nowhere/");
    const auto catalogue = Catalogue({u"Acryl (internal)", u"Zest (internal)"});

    auto r = ResolveSkinName(u"Zest (internal)", skins, full, catalogue);
    EXPECT_EQ(r.Kind, SkinSourceKind::Internal);
    EXPECT_EQ(r.Index, 1);
    EXPECT_FALSE(r.FellBack);

    dir.Write("Skins/Zest (internal)/options.DAT", "[GLOBALINFO]\r\n");
    r = ResolveSkinName(u"Zest (internal)", skins, full, catalogue);
    EXPECT_EQ(r.Kind, SkinSourceKind::Folder);
    EXPECT_EQ(r.FolderNative, dir.Str() + "/Skins/Zest (internal)/");

    dir.Write("Skins/Zest (internal).vsz", "x");
    r = ResolveSkinName(u"Zest (internal).VSZ", skins, full, catalogue);
    EXPECT_EQ(r.Kind, SkinSourceKind::PackedFile);
    EXPECT_EQ(r.Name, u"Zest (internal)");
    EXPECT_EQ(r.PackedFile, dir.Str() + "/Skins/Zest (internal).vsz");
    // After a live preview a folder wins over a packed file.
    EXPECT_EQ(ResolveSkinName(u"Zest (internal)", skins, full, catalogue, true).Kind, SkinSourceKind::Folder);

    r = ResolveSkinName(u"Acryl (internal).VSZ", skins, full, catalogue);
    EXPECT_EQ(r.Kind, SkinSourceKind::Internal);
    EXPECT_EQ(r.Name, u"Acryl (internal)");
    EXPECT_FALSE(r.FellBack);

    for (const char16_t* unknown : {u"acryl (internal)", u"Unknown", u"", u".vsz"}) {
        r = ResolveSkinName(unknown, skins, full, catalogue);
        EXPECT_EQ(r.Kind, SkinSourceKind::Internal) << platform::Utf16ToUtf8(unknown);
        EXPECT_EQ(r.Index, 0);
        EXPECT_TRUE(r.FellBack);
        EXPECT_EQ(r.Name, u"Acryl (internal)");
    }
    EXPECT_EQ(ResolveSkinName(u"Unknown", skins, full, TsStoredSkins()).Kind, SkinSourceKind::None);
}

TEST(SkinListing, NamesFromTheCatalogueAndTheDirectorySortedIgnoringCase)
{
    TempDir dir;
    dir.Write("b skin.vsz", "x");
    dir.Write("UPPER.VSZ", "x");
    dir.Write("a folder/Options.dat", "x");
    dir.Write("empty folder/readme.txt", "x");
    dir.Write(".hidden.vsz", "x");
    const platform::String full = platform::Utf8ToUtf16(dir.Str()) + u"/";
    const auto catalogue = Catalogue({u"Zest (internal)", u"Acryl (internal)"});
    std::vector<platform::String> names;

    EXPECT_EQ(GetSkinNames(names, TacSkinTypes::stAllSkins, full, &catalogue), u"Zest (internal)");
    EXPECT_EQ(names, (std::vector<platform::String>{u"a folder", u"Acryl (internal)", u"b skin", u"Zest (internal)"}));

    EXPECT_EQ(GetSkinNames(names, TacSkinTypes::stPacked, full, nullptr), u"b skin");
    EXPECT_EQ(names, (std::vector<platform::String>{u"b skin"}));
    GetSkinNames(names, TacSkinTypes::stUnpacked, full, nullptr);
    EXPECT_EQ(names, (std::vector<platform::String>{u"a folder"}));
    EXPECT_EQ(GetSkinNames(names, TacSkinTypes::stAllSkins, full + u"missing/", nullptr), u"");
    EXPECT_TRUE(names.empty());
}

TEST(SkinExtraction, WritesThePackageUnchangedOrSaysWhyNot)
{
    TempDir dir;
    TsStoredSkins catalogue;
    TsStoredSkin item;
    item.Name = u"Acryl (internal)";
    item.PackedData = SamplePackage();
    catalogue.Add(item);
    std::vector<std::string> errors;
    auto show = [&](const std::string& t) { errors.push_back(t); };
    const platform::String dest = platform::Utf8ToUtf16(dir.Str());

    ExtractInternalSkin(catalogue, u"Acryl (internal)", dest, show);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(skintest::ReadFile(dir.Str() + "/Acryl (internal) extracted.vsz"), item.PackedData);

    ExtractInternalSkin(catalogue, u"acryl (internal)", dest, show);
    ExtractInternalSkin(catalogue, u"Acryl (internal)", dest + u"/missing", show);
    EXPECT_EQ(errors, (std::vector<std::string>{"Skin does not exists.", "Directory does not exists."}));

    EXPECT_TRUE(ExtractByIndex(catalogue, 0, dest + u"/new\\sub", show));
    EXPECT_EQ(skintest::ReadFile(dir.Str() + "/new/sub/Acryl (internal) extracted.vsz"), item.PackedData);
    dir.Write("file", "x");
    errors.clear();
    EXPECT_FALSE(ExtractByIndex(catalogue, 0, dest + u"/file/sub", show));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], dir.Str() + "/file/sub\\ directory creation error.");
}
