#include "toolkit/TIniFile.h"

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace toolkit;

namespace {

class TIniFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("lumo-inifile-" + std::to_string(getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "Config.ini";
    }
    void TearDown() override
    {
        chmod(folder_.c_str(), 0700);
        std::filesystem::remove_all(folder_);
    }
    void Write(const std::string& text)
    {
        std::ofstream(path_, std::ios::binary) << text;
    }
    std::string Read() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    String FileName() const { return platform::Utf8ToUtf16(path_.string()); }

    std::filesystem::path folder_;
    std::filesystem::path path_;
};

} // namespace

TEST_F(TIniFileTest, AMissingFileReadsTheDefaultsAndIsNotCreated)
{
    TIniFile ini(FileName());
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u"Windows 8 (internal)"), u"Windows 8 (internal)");
    EXPECT_EQ(ini.ReadString(u"Proxy", u"ip", u"0"), u"0");
    EXPECT_FALSE(ini.ReadBool(u"Proxy", u"useProxy", false));
    EXPECT_TRUE(ini.ReadBool(u"Proxy", u"useProxy", true));
    EXPECT_EQ(ini.ReadInteger(u"Proxy", u"port", 8080), 8080);
    EXPECT_FALSE(ini.SectionExists(u"Proxy"));
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(TIniFileTest, ReadsValuesWithoutRegardToTheCaseOfNames)
{
    Write("[Skin]\r\nuseSkin=Air (internal)\r\n[PROXY]\r\nIP=10.0.0.1\r\nport=\r\n");
    TIniFile ini(FileName());
    EXPECT_EQ(ini.ReadString(u"skin", u"USESKIN", u"x"), u"Air (internal)");
    EXPECT_EQ(ini.ReadString(u"Proxy", u"ip", u"0"), u"10.0.0.1");
    // A key with an empty value reads as the empty text, not as the default.
    EXPECT_EQ(ini.ReadString(u"Proxy", u"port", u"0"), u"");
    EXPECT_EQ(ini.ReadInteger(u"Proxy", u"port", 7), 7);
    EXPECT_TRUE(ini.SectionExists(u"proxy"));
    EXPECT_TRUE(ini.ValueExists(u"Proxy", u"PORT"));
    EXPECT_FALSE(ini.ValueExists(u"Proxy", u"useProxy"));
}

TEST_F(TIniFileTest, BooleansAreIntegersWithHexadecimalAfterZeroX)
{
    Write("[Proxy]\nhex=0x1\nHEX2=0X10\nzero=0x0\nyes=yes\ntwo=2\none=1\nnull=0\nbare=0x\nneg=-1\nbig=99999999999\n"
          "empty=\nblank=   \n");
    TIniFile ini(FileName());
    EXPECT_TRUE(ini.ReadBool(u"Proxy", u"hex", false));
    EXPECT_EQ(ini.ReadInteger(u"Proxy", u"HEX2", 0), 16);
    EXPECT_FALSE(ini.ReadBool(u"Proxy", u"zero", true));
    // Text that is not an integer counts as missing.
    EXPECT_FALSE(ini.ReadBool(u"Proxy", u"yes", false));
    EXPECT_TRUE(ini.ReadBool(u"Proxy", u"yes", true));
    EXPECT_TRUE(ini.ReadBool(u"Proxy", u"two", false));
    EXPECT_TRUE(ini.ReadBool(u"Proxy", u"one", false));
    EXPECT_FALSE(ini.ReadBool(u"Proxy", u"null", true));
    // "0x" alone is two characters: not hexadecimal, and no integer either.
    EXPECT_EQ(ini.ReadInteger(u"Proxy", u"bare", 5), 5);
    EXPECT_TRUE(ini.ReadBool(u"Proxy", u"neg", false));
    EXPECT_EQ(ini.ReadInteger(u"Proxy", u"big", 3), 3);
    EXPECT_FALSE(ini.ReadBool(u"Proxy", u"empty", false));
    EXPECT_EQ(ini.ReadInteger(u"Proxy", u"blank", 4), 4);
}

TEST_F(TIniFileTest, ValuesAreReadThroughA2048CharacterBuffer)
{
    std::string value(3000, 'v');
    Write("[Skin]\nuseSkin=" + value + "\n");
    TIniFile ini(FileName());
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u"").size(), 2047u);
}

TEST_F(TIniFileTest, WritesCreateTheFileSectionAndKeyAndKeepTheRest)
{
    TIniFile ini(FileName());
    ini.WriteString(u"Skin", u"useSkin", u"Windows 8 (internal)");
    ini.WriteBool(u"Proxy", u"useProxy", true);
    ini.WriteString(u"Proxy", u"ip", u"0");
    ini.WriteBool(u"Proxy", u"useProxy", false);
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u""), u"Windows 8 (internal)");
    EXPECT_EQ(ini.ReadString(u"Proxy", u"useProxy", u""), u"0");
    ini.WriteBool(u"Proxy", u"useProxy", true);
    EXPECT_EQ(ini.ReadString(u"Proxy", u"useProxy", u""), u"1");
    ini.WriteString(u"Skin", u"useSkin", u"");
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u"Windows 8 (internal)"), u"");
    const std::string text = Read();
    EXPECT_NE(text.find("[Skin]"), std::string::npos);
    EXPECT_NE(text.find("ip=0"), std::string::npos);
    EXPECT_EQ(ini.ReadSections(), (std::vector<String>{u"Skin", u"Proxy"}));
    ini.DeleteKey(u"Proxy", u"ip");
    EXPECT_FALSE(ini.ValueExists(u"Proxy", u"ip"));
    ini.EraseSection(u"Proxy");
    EXPECT_FALSE(ini.SectionExists(u"Proxy"));
}

TEST_F(TIniFileTest, ARefusedWriteRaisesUnableToWriteWithTheFileName)
{
    // A parent that is a plain file refuses even the superuser.
    std::ofstream(folder_ / "plain") << "x";
    String name = platform::Utf8ToUtf16((folder_ / "plain" / "Config.ini").string());
    TIniFile ini(name);
    try {
        ini.WriteBool(u"Proxy", u"useProxy", true);
        FAIL() << "the write was not refused";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), u"Unable to write to " + name);
    }
    EXPECT_THROW(ini.WriteString(u"Skin", u"useSkin", u"x"), EIniFileException);
    // Reading it still gives the defaults.
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u"d"), u"d");
}

TEST_F(TIniFileTest, AReadOnlyFolderRefusesTheWrite)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders; the refused-write test covers this path";
    Write("[Skin]\nuseSkin=A\n");
    ASSERT_EQ(chmod(folder_.c_str(), 0500), 0);
    TIniFile ini(FileName());
    EXPECT_THROW(ini.WriteString(u"Skin", u"useSkin", u"B"), EIniFileException);
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u""), u"A");
}

TEST_F(TIniFileTest, AFileThatMakesItsFolderCreatesItAtTheFirstWriteAndNotBefore)
{
    const std::filesystem::path nested = folder_ / "config" / "lumo-tv-player";
    const std::filesystem::path file = nested / "Config.ini";
    TIniFile ini(platform::Utf8ToUtf16(file.string()));
    ini.SetCreateFolder(true);
    EXPECT_EQ(ini.ReadString(u"Skin", u"useSkin", u"d"), u"d");
    ini.EraseSection(u"Proxy");
    ini.DeleteKey(u"Proxy", u"ip");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "config")) << "reading and erasing nothing make no folder";

    ini.WriteBool(u"Proxy", u"useProxy", false);
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[Proxy]\r\nuseProxy=0\r\n");
    for (const auto& made : {folder_ / "config", nested}) {
        struct stat st {};
        ASSERT_EQ(stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made << " is open to others";
    }

    // Without the option the same write into a missing folder is refused, as on Windows.
    TIniFile plain(platform::Utf8ToUtf16((folder_ / "other" / "Config.ini").string()));
    EXPECT_THROW(plain.WriteBool(u"Proxy", u"useProxy", false), EIniFileException);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "other"));
}

TEST_F(TIniFileTest, AFolderThatCannotBeMadeEndsInTheUsualWriteError)
{
    std::ofstream(folder_ / "plain") << "x";
    const String name = platform::Utf8ToUtf16((folder_ / "plain" / "sub" / "Config.ini").string());
    TIniFile ini(name);
    ini.SetCreateFolder(true);
    try {
        ini.WriteString(u"Skin", u"useSkin", u"x");
        FAIL() << "the write was not refused";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), u"Unable to write to " + name);
    }
}

TEST(StrToIntTest, ConvertsDecimalAndHexadecimalText)
{
    EXPECT_EQ(StrToInt(u"0"), 0);
    EXPECT_EQ(StrToInt(u"8080"), 8080);
    EXPECT_EQ(StrToInt(u"-20"), -20);
    EXPECT_EQ(StrToInt(u"+7"), 7);
    EXPECT_EQ(StrToInt(u"  42"), 42);
    EXPECT_EQ(StrToInt(u"$FF"), 255);
    EXPECT_EQ(StrToInt(u"0x10"), 16);
    EXPECT_EQ(StrToInt(u"2147483647"), 2147483647);
    EXPECT_EQ(StrToInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt(u"$FFFFFFFF"), -1);
}

TEST(StrToIntTest, RefusesEmptyTextLettersAndValuesOutsideTheRange)
{
    for (StringView bad : {StringView(u""), StringView(u"abc"), StringView(u"12a"), StringView(u"2147483648"),
                           StringView(u"-2147483649"), StringView(u"99999999999999999999"), StringView(u"42 "),
                           StringView(u"-"), StringView(u"$"), StringView(u"$100000000"), StringView(u"1.5")}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted " << platform::Utf16ToUtf8(bad);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), u"'" + String(bad) + u"' is not a valid integer value");
        }
    }
    EXPECT_EQ(StrToIntDef(u"x", 3), 3);
}

TEST(FormatTest, ReplacesPlaceholdersInOrder)
{
    EXPECT_EQ(Format(u"Unable to write to %s", {u"c:\\Config.ini"}), u"Unable to write to c:\\Config.ini");
    EXPECT_EQ(Format(u"%s and %d, 100%%", {u"a", u"1"}), u"a and 1, 100%");
    EXPECT_EQ(Format(u"%s %s", {u"only"}), u"only ");
}
