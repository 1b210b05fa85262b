// Windows-written paths: separators, drive letters, letter case, file name parts, listings.
#include "platform/system/DynamicLibrary.h"
#include "platform/system/LastError.h"
#include "platform/system/Paths.h"
#include "tests/platform/system/SystemTestSupport.h"

#include <gtest/gtest.h>

using namespace platform;
using platform::test::ScopedEnvironment;
using platform::test::TempFolder;
using platform::test::WriteBytes;

namespace {

std::vector<String> Names(const std::vector<WIN32_FIND_DATA>& entries)
{
    std::vector<String> names;
    for (const WIN32_FIND_DATA& entry : entries)
        names.push_back(entry.cFileName);
    return names;
}

TEST(Paths, DriveLettersMapUnderTheDriveRoot)
{
    ScopedEnvironment root("LUMO_DRIVE_ROOT", "/srv/drives");
    EXPECT_EQ(DriveRoot(), u"/srv/drives");
    EXPECT_EQ(ResolvePath(u"c:\\Skins"), u"/srv/drives/c/Skins");
    EXPECT_EQ(ResolvePath(u"C:\\Skins\\"), u"/srv/drives/c/Skins/");
    EXPECT_EQ(ResolvePath(u"d:/a\\b/c.vsz"), u"/srv/drives/d/a/b/c.vsz");
    EXPECT_EQ(ResolvePath(u"c:Skins"), u"/srv/drives/c/Skins");
    EXPECT_EQ(ResolvePath(u"c:"), u"/srv/drives/c");
    EXPECT_EQ(ResolvePath(u"c:\\"), u"/srv/drives/c/");
    // Not drive letters: relative paths and schemes are left alone apart from the separators.
    EXPECT_EQ(ResolvePath(u"player\\tvpl1.html"), u"player/tvpl1.html");
    EXPECT_EQ(ResolvePath(u"1:\\x"), u"1:/x");
}

TEST(Paths, TheDriveRootDefaultsToTheUsersDataFolder)
{
    ScopedEnvironment root("LUMO_DRIVE_ROOT", std::nullopt);
    ScopedEnvironment home("HOME", "/home/viewer");
    {
        ScopedEnvironment data("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(DriveRoot(), u"/home/viewer/.local/share/lumo-tv-player/drives");
        EXPECT_EQ(ResolvePath(u"c:\\Skins"), u"/home/viewer/.local/share/lumo-tv-player/drives/c/Skins");
    }
    {
        ScopedEnvironment data("XDG_DATA_HOME", "/data/viewer");
        EXPECT_EQ(DriveRoot(), u"/data/viewer/lumo-tv-player/drives");
    }
    {
        // A relative XDG_DATA_HOME is to be ignored.
        ScopedEnvironment data("XDG_DATA_HOME", "relative");
        EXPECT_EQ(DriveRoot(), u"/home/viewer/.local/share/lumo-tv-player/drives");
    }
}

TEST(Paths, TheUsersSettingsFolderFollowsXdgConfigHomeOrElseHome)
{
    ScopedEnvironment home("HOME", "/home/viewer");
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(UserConfigDirectory(), u"/home/viewer/.config/lumo-tv-player/");
    }
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/settings/viewer");
        EXPECT_EQ(UserConfigDirectory(), u"/settings/viewer/lumo-tv-player/");
    }
    for (const char* ignored : {"", "relative/config"}) {
        ScopedEnvironment config("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(UserConfigDirectory(), u"/home/viewer/.config/lumo-tv-player/") << '"' << ignored << '"';
    }
}

TEST(Paths, OnlyAnExistingFolderCanBeWritable)
{
    TempFolder folder;
    WriteBytes(folder.File("file"), "x");
    EXPECT_TRUE(DirectoryWritable(Utf8ToUtf16(folder.Path())));
    EXPECT_TRUE(DirectoryWritable(Utf8ToUtf16(folder.Path() + "/")));
    EXPECT_FALSE(DirectoryWritable(folder.WideFile("file")));
    EXPECT_FALSE(DirectoryWritable(folder.WideFile("missing")));
    EXPECT_FALSE(DirectoryWritable(u""));
}

TEST(Paths, FilesNamedInAnotherLetterCaseAreFoundComponentByComponent)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.File("c/Skins/Zest (internal)"));
    WriteBytes(folder.File("c/Skins/Zest (internal)/Options.dat"), "x");
    ScopedEnvironment root("LUMO_DRIVE_ROOT", folder.Path());

    String actual = Utf8ToUtf16(folder.File("c/Skins/Zest (internal)/Options.dat"));
    EXPECT_EQ(ResolvePath(u"C:\\SKINS\\zest (INTERNAL)\\options.DAT"), actual);
    EXPECT_TRUE(FileExists(u"c:\\skins\\Zest (internal)\\OPTIONS.DAT"));
    EXPECT_TRUE(DirectoryExists(u"C:\\sKiNs"));
    EXPECT_FALSE(FileExists(u"C:\\sKiNs"));
    EXPECT_FALSE(DirectoryExists(u"c:\\Skins\\Zest (internal)\\Options.dat"));
    // What is missing keeps its spelling, after the part that was found.
    EXPECT_EQ(ResolvePath(u"c:\\skins\\New Folder\\A.vsz"), Utf8ToUtf16(folder.File("c/Skins/New Folder/A.vsz")));
    EXPECT_FALSE(FileExists(u"c:\\skins\\Zest (internal)\\Options.da"));
}

TEST(Paths, AnExactNameWinsAndOtherwiseTheFirstInNameOrder)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.File("skins"));
    std::filesystem::create_directories(folder.File("SKINS"));
    std::filesystem::create_directories(folder.File("Skins"));
    String base = Utf8ToUtf16(folder.Path());
    EXPECT_EQ(ResolvePath(base + u"/Skins"), base + u"/Skins");
    EXPECT_EQ(ResolvePath(base + u"/sKINS"), base + u"/SKINS");
}

TEST(Paths, FileNameParts)
{
    EXPECT_EQ(ExtractFilePath(u"c:\\Skins\\Zest.vsz"), u"c:\\Skins\\");
    EXPECT_EQ(ExtractFilePath(u"/opt/lumo/Config.ini"), u"/opt/lumo/");
    EXPECT_EQ(ExtractFilePath(u"c:Zest.vsz"), u"c:");
    EXPECT_EQ(ExtractFilePath(u"Zest.vsz"), u"");
    EXPECT_EQ(ExtractFileName(u"/opt/lumo\\plugin\\vlcplugin.exe"), u"vlcplugin.exe");
    EXPECT_EQ(ExtractFileName(u"/opt/lumo/"), u"");
    EXPECT_EQ(ExtractFileExt(u"a.b/Zest (internal).VSZ"), u".VSZ");
    EXPECT_EQ(ExtractFileExt(u"a.b/noext"), u"");
    EXPECT_EQ(ChangeFileExt(u"c:\\Skins\\Zest.vsz", u".ini"), u"c:\\Skins\\Zest.ini");
    EXPECT_EQ(ChangeFileExt(u"dir.d/name", u".txt"), u"dir.d/name.txt");
    EXPECT_EQ(ChangeFileExt(u"a.tar.gz", u""), u"a.tar");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"c:\\Skins"), u"c:\\Skins\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"/opt/lumo"), u"/opt/lumo/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"/opt/lumo\\"), u"/opt/lumo\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u""), u"/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(u"c:\\Skins\\"), u"c:\\Skins");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"/");
}

TEST(Paths, TheExecutablesFolderEndsWithASeparatorAndHoldsTheProgram)
{
    String folder = ExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), u'/');
    EXPECT_EQ(folder.front(), u'/');
    EXPECT_EQ(GetModuleFileName(nullptr), folder + u"lumo_system_tests");
    EXPECT_TRUE(FileExists(folder + u"lumo_system_tests"));

    WCHAR small[8];
    EXPECT_EQ(GetModuleFileName(nullptr, small, 8), 8u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(String(small), folder.substr(0, 7));
}

TEST(Paths, ForceDirectoriesCreatesEveryMissingFolder)
{
    TempFolder folder;
    ScopedEnvironment root("LUMO_DRIVE_ROOT", folder.Path());
    EXPECT_TRUE(ForceDirectories(u"c:\\Skins\\Extracted\\Deep"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("c/Skins/Extracted/Deep")));
    EXPECT_TRUE(ForceDirectories(u"C:\\SKINS\\extracted"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("c/SKINS")));

    WriteBytes(folder.File("file"), "x");
    EXPECT_FALSE(ForceDirectories(Utf8ToUtf16(folder.File("file/sub"))));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(ForceDirectories(Utf8ToUtf16(folder.File("file"))));
    EXPECT_FALSE(ForceDirectories(u""));
}

TEST(Paths, MatchSpecsIgnoreCaseAndBacktrack)
{
    EXPECT_TRUE(PathMatchSpec(u"Zest (internal).vsz", u"*.VSZ"));
    EXPECT_TRUE(PathMatchSpec(u"noext", u"*.*"));
    EXPECT_TRUE(PathMatchSpec(u"Тема.ini", u"ТЕМА.*"));
    EXPECT_TRUE(PathMatchSpec(u"abc", u"a?c"));
    EXPECT_FALSE(PathMatchSpec(u"ac", u"a?c"));
    EXPECT_TRUE(PathMatchSpec(u"a.b.c.vsz", u"*.*.vsz"));
    EXPECT_TRUE(PathMatchSpec(u"xaaay", u"*a*y"));
    EXPECT_FALSE(PathMatchSpec(u"xaaaz", u"*a*y"));
    EXPECT_FALSE(PathMatchSpec(u"a.vszx", u"*.vsz"));
    EXPECT_TRUE(PathMatchSpec(u"", u"*"));
    EXPECT_FALSE(PathMatchSpec(u"", u"?"));
}

TEST(Paths, FindFirstAndNextListMatchingEntriesInNameOrder)
{
    TempFolder folder;
    for (const char* name : {"b.vsz", "A.VSZ", "c.txt", ".hidden.vsz"})
        WriteBytes(folder.File(name), "12345");
    std::filesystem::create_directory(folder.File("Sub.vsz"));
    String pattern = Utf8ToUtf16(folder.Path()) + u"\\*.vsz";

    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(pattern, &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    std::vector<WIN32_FIND_DATA> seen{data};
    while (FindNextFile(find, &data))
        seen.push_back(data);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(find));

    EXPECT_EQ(Names(seen), (std::vector<String>{u".hidden.vsz", u"A.VSZ", u"Sub.vsz", u"b.vsz"}));
    EXPECT_EQ(seen[0].dwFileAttributes & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(seen[1].nFileSize, 5u);
    EXPECT_EQ(seen[2].dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(seen[3].dwFileAttributes, FILE_ATTRIBUTE_NORMAL);

    std::vector<String> all = Names(FindFiles(Utf8ToUtf16(folder.Path()) + u"/*"));
    EXPECT_EQ(all, (std::vector<String>{u".", u"..", u".hidden.vsz", u"A.VSZ", u"Sub.vsz", u"b.vsz", u"c.txt"}));
}

TEST(Paths, FindFirstFileTellsAMissingFolderFromNoMatch)
{
    TempFolder folder;
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstFile(Utf8ToUtf16(folder.Path()) + u"/*.vsz", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFile(Utf8ToUtf16(folder.Path()) + u"/missing/*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(FindFiles(Utf8ToUtf16(folder.Path()) + u"/missing/*").empty());
    EXPECT_FALSE(FindNextFile(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

} // namespace
