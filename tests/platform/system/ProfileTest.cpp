// Reading private profile files.
#include "platform/system/LastError.h"
#include "platform/system/Profile.h"
#include "tests/platform/system/SystemTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace platform;
using platform::test::TempFolder;
using platform::test::WriteBytes;

namespace {

class ProfileRead : public ::testing::Test {
protected:
    String Write(const std::string& bytes)
    {
        WriteBytes(folder_.File("Config.ini"), bytes);
        return folder_.WideFile("Config.ini");
    }

    // The raw form through a buffer of the given size, terminators included.
    static String Raw(const WCHAR* section, const WCHAR* key, const WCHAR* fallback, DWORD size, const String& file,
                      DWORD* answer)
    {
        String buffer(size + 4, u'#');
        *answer = GetPrivateProfileString(section, key, fallback, buffer.data(), size, file.c_str());
        return buffer.substr(0, size);
    }

    TempFolder folder_;
};

TEST_F(ProfileRead, MatchesSectionAndKeyNamesWithoutRegardToCaseLatinAndCyrillic)
{
    String file = Write("[Proxy]\r\nip = 10.0.0.1  \r\nПорт=8080\r\n[Настройки]\r\nЁлка=Тёмная\r\nuseSkin=Zest\r\n");
    EXPECT_EQ(GetPrivateProfileString(u"PROXY", u"IP", u"0", file), u"10.0.0.1");
    EXPECT_EQ(GetPrivateProfileString(u"proxy", u"пОРТ", u"0", file), u"8080");
    EXPECT_EQ(GetPrivateProfileString(u"НАСТРОЙКИ", u"ёЛКА", u"", file), u"Тёмная");
    EXPECT_EQ(GetPrivateProfileString(u"настройки", u"USESKIN", u"", file), u"Zest");
    // Names are compared whole, not by prefix.
    EXPECT_EQ(GetPrivateProfileString(u"Prox", u"ip", u"none", file), u"none");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"i", u"none", file), u"none");
}

TEST_F(ProfileRead, MissingFileSectionOrKeyGivesTheDefaultButAnEmptyValueIsEmpty)
{
    String missing = folder_.WideFile("Missing.ini");
    EXPECT_EQ(GetPrivateProfileString(u"Skin", u"useSkin", u"Windows 8 (internal)", missing), u"Windows 8 (internal)");
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    String file = Write("[Proxy]\nip=\nport=   \n");
    EXPECT_EQ(GetPrivateProfileString(u"Skin", u"useSkin", u"dflt", file), u"dflt");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"useProxy", u"dflt", file), u"dflt");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"ip", u"dflt", file), u"");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"port", u"dflt", file), u"");
    // The system drops the default's trailing blanks, and an empty key name reads the default.
    EXPECT_EQ(GetPrivateProfileString(u"Skin", u"useSkin", u"  x  ", file), u"  x");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"", u"dflt", file), u"dflt");
    DWORD answer = 0;
    EXPECT_EQ(Raw(u"Proxy", u"nothing", nullptr, 4, file, &answer), String(u"\0###", 4));
    EXPECT_EQ(answer, 0u);
}

TEST_F(ProfileRead, ValuesLoseSurroundingBlanksAndOneEnclosingPairOfQuotes)
{
    String file = Write("[S]\n"
                        "plain =\t spaced value \t\n"
                        "double = \"quoted \" \n"
                        "single='it''s'\n"
                        "mixed=\"open'\n"
                        "lone=\"\n"
                        "empty=\"\"\n"
                        "inner=\"a\" and \"b\"\n"
                        "inside=say \"hi\"\n");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"plain", u"", file), u"spaced value");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"double", u"", file), u"quoted ");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"single", u"", file), u"it''s");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"mixed", u"", file), u"\"open'");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"lone", u"", file), u"\"");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"empty", u"x", file), u"");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"inner", u"", file), u"a\" and \"b");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"inside", u"", file), u"say \"hi\"");
}

TEST_F(ProfileRead, ValuesAreCutToTheBufferLessOneCharacter)
{
    std::string longValue;
    for (int i = 0; i < 3000; ++i)
        longValue.push_back(char('a' + i % 26));
    String file = Write("[Skin]\r\nuseSkin=" + longValue + "\r\n");
    String wideValue = Utf8ToUtf16(longValue);

    String read = GetPrivateProfileString(u"Skin", u"useSkin", u"", file);
    EXPECT_EQ(read, wideValue.substr(0, 2047));

    DWORD answer = 0;
    String raw = Raw(u"Skin", u"useSkin", u"", kProfileBufferSize, file, &answer);
    EXPECT_EQ(answer, 2047u);
    EXPECT_EQ(raw, wideValue.substr(0, 2047) + String(1, u'\0'));
    EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);

    EXPECT_EQ(Raw(u"Skin", u"useSkin", u"", 5, file, &answer), String(u"abcd\0", 5));
    EXPECT_EQ(answer, 4u);
    // A value that fits exactly is whole.
    String exact = Write("[S]\nk=abcd\n");
    EXPECT_EQ(Raw(u"S", u"k", u"", 5, exact, &answer), String(u"abcd\0", 5));
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"", exact, 3), u"ab");
    // The default is cut the same way.
    EXPECT_EQ(Raw(u"S", u"none", u"default", 4, exact, &answer), String(u"def\0", 4));
}

TEST_F(ProfileRead, NullNamesListKeysAndSectionsAsTheSystemDoes)
{
    String file = Write("orphan=1\n"
                        "[First]\n"
                        "; a comment=not a key\n"
                        "a=1\n"
                        "\n"
                        "no equals sign\n"
                        "Bb = 2\n"
                        "[]\n"
                        "hidden=1\n"
                        "[Second]\n");
    DWORD answer = 0;
    EXPECT_EQ(Raw(u"first", nullptr, u"", 10, file, &answer), String(u"a\0Bb\0\0####", 10));
    EXPECT_EQ(answer, 5u);
    EXPECT_EQ(Raw(nullptr, nullptr, u"", 16, file, &answer), String(u"First\0Second\0\0##", 16));
    EXPECT_EQ(answer, 13u);
    EXPECT_EQ(GetPrivateProfileSectionNames(file), (std::vector<String>{u"First", u"Second"}));
    EXPECT_EQ(GetPrivateProfileKeyNames(u"FIRST", file), (std::vector<String>{u"a", u"Bb"}));
    EXPECT_TRUE(GetPrivateProfileKeyNames(u"Second", file).empty());

    // A list that does not fit: the last name is cut and both terminators still fit.
    EXPECT_EQ(Raw(nullptr, nullptr, u"", 9, file, &answer), String(u"First\0S\0\0", 9));
    EXPECT_EQ(answer, 7u);
    EXPECT_EQ(Raw(nullptr, nullptr, u"", 8, file, &answer), String(u"First\0\0\0", 8));
    EXPECT_EQ(answer, 6u);
    EXPECT_EQ(Raw(nullptr, nullptr, u"", 7, file, &answer), String(u"First\0\0", 7));
    EXPECT_EQ(answer, 5u);

    // The section-name call answers a list that fits exactly as if it had been cut; the
    // general call answers its full length.
    String exact(14, u'#');
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetPrivateProfileSectionNames(exact.data(), 14, file.c_str()), 12u);
    EXPECT_EQ(exact, String(u"First\0Second\0\0", 14));
    EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);
    exact.assign(15, u'#');
    EXPECT_EQ(GetPrivateProfileSectionNames(exact.data(), 15, file.c_str()), 13u);
    EXPECT_EQ(exact, String(u"First\0Second\0\0#", 15));
    EXPECT_EQ(Raw(nullptr, nullptr, u"", 14, file, &answer), String(u"First\0Second\0\0", 14));
    EXPECT_EQ(answer, 13u);

    // A section without keys, or none at all, gives the default.
    EXPECT_EQ(Raw(u"Second", nullptr, u"none", 8, file, &answer), String(u"none\0###", 8));
    EXPECT_EQ(answer, 4u);
    EXPECT_EQ(Raw(u"Third", nullptr, u"", 4, file, &answer), String(u"\0###", 4));
}

TEST_F(ProfileRead, TheFirstSectionAndTheFirstKeyOfANameCount)
{
    String file = Write("[A]\nk=first\nk=second\n[a]\nk=third\nonly=here\n");
    EXPECT_EQ(GetPrivateProfileString(u"A", u"k", u"", file), u"first");
    EXPECT_EQ(GetPrivateProfileString(u"A", u"only", u"missing", file), u"missing");
    EXPECT_EQ(GetPrivateProfileSectionNames(file), (std::vector<String>{u"A", u"a"}));
}

TEST_F(ProfileRead, ReadsLfCrLfAndBareCrFilesAndSectionHeadersWithBlanks)
{
    String lf = Write("[Proxy]\nip=1\nport=2");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"port", u"", lf), u"2");
    String crlf = Write("  [ Proxy ]  \r\n  ip = 1 \r\n[Skin]\r\nuseSkin=Air (internal)\r\n");
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"ip", u"", crlf), u"1");
    EXPECT_EQ(GetPrivateProfileString(u" Skin ", u" useSkin ", u"", crlf), u"Air (internal)");

    // Old editors end lines with a bare CR; a file may mix all three.
    String cr = Write("[Proxy]\rip=1\rport=2\r\r[Skin]\ruseSkin=Air (internal)\n[Last]\r\nx=3\r");
    EXPECT_EQ(GetPrivateProfileSectionNames(cr), (std::vector<String>{u"Proxy", u"Skin", u"Last"}));
    EXPECT_EQ(GetPrivateProfileKeyNames(u"Proxy", cr), (std::vector<String>{u"ip", u"port"}));
    EXPECT_EQ(GetPrivateProfileString(u"Proxy", u"ip", u"", cr), u"1");
    EXPECT_EQ(GetPrivateProfileString(u"Skin", u"useSkin", u"", cr), u"Air (internal)");
    EXPECT_EQ(GetPrivateProfileString(u"Last", u"x", u"", cr), u"3");
}

TEST_F(ProfileRead, ReadsUtf8WithAndWithoutMarkUtf16AndWindows1251)
{
    // "[Настройки]\r\nТема=Тёмная №1\r\n" in Windows-1251.
    std::string ansi = "[\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8]\r\n\xD2\xE5\xEC\xE0=\xD2\xB8\xEC\xED\xE0\xFF \xB9" "1\r\n";
    String file = Write(ansi);
    EXPECT_EQ(GetPrivateProfileString(u"настройки", u"ТЕМА", u"", file), u"Тёмная №1");

    String utf8 = Write("[Настройки]\nТема=Тёмная №1\n");
    EXPECT_EQ(GetPrivateProfileString(u"Настройки", u"Тема", u"", utf8), u"Тёмная №1");

    String bom = Write("\xEF\xBB\xBF[Skin]\nuseSkin=Мята\n");
    EXPECT_EQ(GetPrivateProfileSectionNames(bom), std::vector<String>{u"Skin"});
    EXPECT_EQ(GetPrivateProfileString(u"Skin", u"useSkin", u"", bom), u"Мята");

    String utf16 = Write(std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x16\x04\n\0", 20));
    EXPECT_EQ(GetPrivateProfileString(u"s", u"K", u"", utf16), u"Ж");
}

TEST_F(ProfileRead, IntegersAreReadLikeTheSystemDoes)
{
    String file = Write("[P]\ndec=1234\nhex=0x1F\nHEX=0XfF\nneg=-5\ntrail=12abc\nword=yes\nempty=\nbig=4294967297\n");
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"dec", 7, file), 1234u);
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"hex", 7, file), 31u);
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"neg", 7, file), UINT(-5));
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"trail", 7, file), 12u);
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"word", 7, file), 0u);
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"empty", 7, file), 7u);
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"missing", -1, file), UINT(-1));
    EXPECT_EQ(GetPrivateProfileInt(u"P", u"big", 7, file), 1u);
}

TEST_F(ProfileRead, ThingsThatAreNoProfileFileReadAsMissing)
{
    std::filesystem::create_directory(folder_.File("folder.ini"));
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"dflt", folder_.WideFile("folder.ini")), u"dflt");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"dflt", u"/dev/zero"), u"dflt");
    ASSERT_EQ(mkfifo(folder_.File("pipe.ini").c_str(), 0600), 0);
    // Would block forever if the reader opened the FIFO for reading without care.
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"dflt", folder_.WideFile("pipe.ini")), u"dflt");
    String binary = Write(std::string("\0\0[S]\0k=v\n\xFF\xFE\xFD", 14));
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"dflt", binary), u"dflt");
}

} // namespace
