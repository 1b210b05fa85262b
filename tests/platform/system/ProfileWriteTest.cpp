// Writing private profile files: creation, edits in place, deletion, failures and atomicity.
#include "platform/system/LastError.h"
#include "platform/system/Profile.h"
#include "tests/platform/system/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using platform::test::ReadBytes;
using platform::test::TempFolder;
using platform::test::WriteBytes;

namespace {

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ProfileWrite : public ::testing::Test {
protected:
    TempFolder folder_;
    std::string path_ = folder_.File("Config.ini");
    String file_ = folder_.WideFile("Config.ini");
};

TEST_F(ProfileWrite, CreatesTheFileTheSectionAndTheKeyWithCrLfLinesAndNoBlankLineBetweenSections)
{
    ASSERT_TRUE(WritePrivateProfileString(u"Skin", u"useSkin", u"Windows 8 (internal)", file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[Skin]\r\nuseSkin=Windows 8 (internal)\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"ip", u"0", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileString(u"proxy", u"port", u"8080", file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[Skin]\r\nuseSkin=Windows 8 (internal)\r\n[Proxy]\r\nip=0\r\nport=8080\r\n");
    EXPECT_EQ(GetPrivateProfileString(u"PROXY", u"PORT", u"", file_), u"8080");
    // Text is written as UTF-8.
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"ip", u"прокси.рф", file_.c_str()));
    EXPECT_NE(ReadBytes(path_).find("ip=\xD0\xBF\xD1\x80\xD0\xBE"), std::string::npos);
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"ip", u"", file_), u"прокси.рф");
}

TEST_F(ProfileWrite, ReplacesAValueInPlaceAndKeepsEveryOtherByte)
{
    std::string before = "; settings of the player\n"
                         "[Skin]\n"
                         "useSkin = Air (internal)   ; not a comment, part of the value\n"
                         "\n"
                         "[Proxy]\n"
                         "  IP =   1.2.3.4  \n"
                         "port=\"80\"\n"
                         "odd line without equals\n"
                         "[Other]\n"
                         "x=1";
    WriteBytes(path_, before);
    ASSERT_TRUE(WritePrivateProfileString(u"proxy", u"ip", u"10.0.0.1", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"PORT", u"3128", file_.c_str()));
    std::string after = "; settings of the player\n"
                        "[Skin]\n"
                        "useSkin = Air (internal)   ; not a comment, part of the value\n"
                        "\n"
                        "[Proxy]\n"
                        "  IP =   10.0.0.1  \n"
                        "port=3128\n"
                        "odd line without equals\n"
                        "[Other]\n"
                        "x=1";
    EXPECT_EQ(ReadBytes(path_), after);
    EXPECT_EQ(GetPrivateProfileString(u"Skin", u"useSkin", u"", file_), u"Air (internal)   ; not a comment, part of the value");
}

TEST_F(ProfileWrite, AddsANewKeyAfterTheLastLineOfItsSectionInTheFilesLineEnding)
{
    WriteBytes(path_, "[Proxy]\nip=1\n\n\n[Skin]\nuseSkin=Air (internal)");
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"useProxy", u"1", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileString(u"Skin", u"extra", u"x", file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[Proxy]\nip=1\nuseProxy=1\n\n\n[Skin]\nuseSkin=Air (internal)\nextra=x\n");

    // A file of bare CR lines keeps them, and its settings are found.
    WriteBytes(path_, "[Proxy]\rip=1\r[Skin]\ruseSkin=Air (internal)");
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"ip", u"2", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileString(u"Skin", u"extra", u"x", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileString(u"New", u"k", u"v", file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[Proxy]\rip=2\r[Skin]\ruseSkin=Air (internal)\rextra=x\r[New]\rk=v\r");
}

TEST_F(ProfileWrite, NullValueDeletesTheKeyAndNullKeyTheSection)
{
    WriteBytes(path_, "[A]\r\nk=1\r\nK=2\r\nkeep=3\r\n[B]\r\nb=1\r\n[a]\r\nk=4\r\n[C]\r\nc=1\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"a", u"K", nullptr, file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[A]\r\nkeep=3\r\n[B]\r\nb=1\r\n[a]\r\n[C]\r\nc=1\r\n");
    EXPECT_EQ(GetPrivateProfileString(u"A", u"k", u"gone", file_), u"gone");
    ASSERT_TRUE(WritePrivateProfileString(u"A", nullptr, nullptr, file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[B]\r\nb=1\r\n[C]\r\nc=1\r\n");
    ASSERT_TRUE(DeletePrivateProfileSection(u"C", file_));
    EXPECT_EQ(ReadBytes(path_), "[B]\r\nb=1\r\n");

    // Deleting what is not there changes nothing and creates nothing.
    String missing = folder_.WideFile("Missing.ini");
    EXPECT_TRUE(WritePrivateProfileString(u"B", u"k", nullptr, missing.c_str()));
    EXPECT_TRUE(WritePrivateProfileString(u"B", nullptr, nullptr, missing.c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("Missing.ini")));
}

TEST_F(ProfileWrite, AWriteThatChangesNothingLeavesTheFileAlone)
{
    WriteBytes(path_, "[Proxy]\nuseProxy=0\n");
    struct stat before;
    ASSERT_EQ(stat(path_.c_str(), &before), 0);
    ASSERT_TRUE(WritePrivateProfileString(u"PROXY", u"useproxy", u"0", file_.c_str()));
    struct stat after;
    ASSERT_EQ(stat(path_.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"useProxy", u"1", file_.c_str()));
    ASSERT_EQ(stat(path_.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
}

TEST_F(ProfileWrite, AWindows1251FileIsRewrittenAsUtf8WithItsTextIntact)
{
    // "[Скин]\r\nИмя=Дерево\r\n" in Windows-1251.
    WriteBytes(path_, "[\xD1\xEA\xE8\xED]\r\n\xC8\xEC\xFF=\xC4\xE5\xF0\xE5\xE2\xEE\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"ip", u"0", file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "[Скин]\r\nИмя=Дерево\r\n[Proxy]\r\nip=0\r\n");
    EXPECT_EQ(GetPrivateProfileString(u"скин", u"имя", u"", file_), u"Дерево");
}

TEST_F(ProfileWrite, AFileWithAByteOrderMarkKeepsIt)
{
    WriteBytes(path_, "\xEF\xBB\xBF[Skin]\nuseSkin=A\n");
    ASSERT_TRUE(WritePrivateProfileString(u"Skin", u"useSkin", u"B", file_.c_str()));
    EXPECT_EQ(ReadBytes(path_), "\xEF\xBB\xBF[Skin]\nuseSkin=B\n");
}

TEST_F(ProfileWrite, AValueCannotBreakIntoNewLinesAndUnstorableNamesAreRefused)
{
    ASSERT_TRUE(WritePrivateProfileString(u"Proxy", u"ip", u"1.2.3.4\r\n[Skin]\r\nuseSkin=Evil", file_.c_str()));
    EXPECT_EQ(GetPrivateProfileSectionNames(file_), std::vector<String>{u"Proxy"});
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"ip", u"", file_), u"1.2.3.4  [Skin]  useSkin=Evil");

    for (const WCHAR* key : {u"a=b", u"", u"   ", u";comment", u"[x]", u"two\nlines"}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(WritePrivateProfileString(u"Proxy", key, u"v", file_.c_str())) << Utf16ToUtf8(key);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_FALSE(WritePrivateProfileString(u"", u"k", u"v", file_.c_str()));
    EXPECT_FALSE(WritePrivateProfileString(u"a\r\nb", u"k", u"v", file_.c_str()));
    EXPECT_EQ(GetPrivateProfileSectionNames(file_), std::vector<String>{u"Proxy"});

    // The system's codes: a null section is "file not found", an empty file name "access denied".
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileString(nullptr, u"k", u"v", file_.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileString(nullptr, nullptr, u"v", file_.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileString(u"Proxy", u"k", u"v", u""));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileString(StringView(u"Proxy"), u"k", u"v", StringView()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetPrivateProfileSectionNames(file_), std::vector<String>{u"Proxy"});
}

TEST_F(ProfileWrite, AFileThatCannotBeWrittenAnswersFalseWithTheLastError)
{
    // A parent that is a file, and a folder of the kernel's: both refuse even the superuser.
    WriteBytes(folder_.File("plain"), "x");
    String underFile = folder_.WideFile("plain/Config.ini");
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileString(u"Skin", u"useSkin", u"A", underFile.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(GetErrorText(GetLastError()).empty());

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileString(u"Skin", u"useSkin", u"A", u"/proc/sys/Config.ini"));
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);

    SetLastError(ERROR_SUCCESS);
    String missingFolder = folder_.WideFile("no/such/folder/Config.ini");
    EXPECT_FALSE(WritePrivateProfileString(u"Skin", u"useSkin", u"A", missingFolder.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("no")));
}

TEST_F(ProfileWrite, AReadOnlyFolderRefusesTheWrite)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders; the other failure tests cover this path";
    WriteBytes(path_, "[Skin]\nuseSkin=A\n");
    ASSERT_EQ(chmod(folder_.Path().c_str(), 0500), 0);
    EXPECT_FALSE(WritePrivateProfileString(u"Skin", u"useSkin", u"B", file_.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    chmod(folder_.Path().c_str(), 0700);
    EXPECT_EQ(ReadBytes(path_), "[Skin]\nuseSkin=A\n");
}

TEST_F(ProfileWrite, AWriteThatFailsHalfwayLeavesTheOldFileWholeAndNoLitter)
{
    std::string old = "[Skin]\r\nuseSkin=Air (internal)\r\n";
    WriteBytes(path_, old);
    // A file size limit binds the superuser too: the new text cannot be written out in full.
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    String big(20000, u'x');
    bool written = WritePrivateProfileString(u"Skin", u"useSkin", big.c_str(), file_.c_str());
    DWORD error = GetLastError();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(ReadBytes(path_), old);
    EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"Config.ini"});
}

TEST_F(ProfileWrite, ARenameThatFailsLeavesNoLitter)
{
    std::filesystem::create_directories(folder_.File("Config.ini/inside"));
    EXPECT_FALSE(WritePrivateProfileString(u"Skin", u"useSkin", u"B", file_.c_str()));
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"Config.ini"});
}

TEST_F(ProfileWrite, KeepsPermissionsAndWritesThroughASymbolicLink)
{
    WriteBytes(folder_.File("real.ini"), "[S]\nk=1\n");
    ASSERT_EQ(chmod(folder_.File("real.ini").c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.ini", path_.c_str()), 0);
    ASSERT_TRUE(WritePrivateProfileString(u"S", u"k", u"2", file_.c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadBytes(folder_.File("real.ini")), "[S]\nk=2\n");
    struct stat info;
    ASSERT_EQ(stat(folder_.File("real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(ProfileWrite, AWindowsPathWithBackslashesAndAnotherLetterCaseFindsTheFile)
{
    std::filesystem::create_directory(folder_.File("Data"));
    WriteBytes(folder_.File("Data/Config.ini"), "[S]\nk=1\n");
    String windowsPath = Utf8ToUtf16(folder_.Path()) + u"\\DATA\\config.INI";
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"", windowsPath), u"1");
    ASSERT_TRUE(WritePrivateProfileString(u"S", u"k", u"2", windowsPath.c_str()));
    EXPECT_EQ(ReadBytes(folder_.File("Data/Config.ini")), "[S]\nk=2\n");
    EXPECT_EQ(FolderEntries(folder_.File("Data")), std::vector<std::string>{"Config.ini"});
}

} // namespace
