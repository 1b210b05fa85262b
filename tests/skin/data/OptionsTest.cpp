#include "skin/options/SkinIniFile.h"
#include "skin/options/SkinLookups.h"
#include "skin/options/ValueForms.h"

#include <gtest/gtest.h>

#include <climits>

using namespace skin;

TEST(OptionsText, SectionsKeysAndValuesAreCaseSensitiveAndTrimmed)
{
    SkinIniFile ini(std::string("; comment\r\n[GLOBALINFO]\r\n VERSION = 8.00 \r\n\r\nAUTHOR=a=b\r\n"
                                "junk line\r\n[Edit]\r\nCOLOR=1\r\n[EDIT]\nCOLOR=2\rFONTCOLOR=3\r\nCOLOR=4\r\n"));
    ASSERT_EQ(ini.Sections().size(), 3u);
    EXPECT_EQ(ini.ReadString("GLOBALINFO", "VERSION", "?"), "8.00");
    EXPECT_EQ(ini.ReadString("GLOBALINFO", "AUTHOR", "?"), "a=b");
    EXPECT_EQ(ini.ReadString("GLOBALINFO", "version", "?"), "?");
    EXPECT_EQ(ini.ReadInteger("Edit", "COLOR", -1), 1);
    // "[Edit]" is not the EDIT section; the first of equal keys counts.
    EXPECT_EQ(ini.ReadInteger("EDIT", "COLOR", -1), 2);
    EXPECT_EQ(ini.ReadInteger("EDIT", "FONTCOLOR", -1), 3);
    EXPECT_EQ(ini.IndexOfSection("edit"), -1);
}

TEST(OptionsText, IntegerForms)
{
    int v = 0;
    EXPECT_TRUE(TryParseInteger("15790320", v));
    EXPECT_EQ(v, 15790320);
    EXPECT_TRUE(TryParseInteger("$F0F0F0", v));
    EXPECT_EQ(v, 0xF0F0F0);
    EXPECT_TRUE(TryParseInteger("0xff", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(TryParseInteger("-1", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryParseInteger("$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryParseInteger("-2147483648", v));
    EXPECT_EQ(v, INT_MIN);
    for (const char* bad : {"", "-", "$", "12a", "1 2", "2147483648", "$100000000", "0x", "1.5"})
        EXPECT_FALSE(TryParseInteger(bad, v)) << bad;
}

namespace {

const char* ChainText = "[BUTTON]\r\nCOLOR=255\r\nTRANSPARENCY=20\r\nGIVEOWNFONT=TRUE\r\nGRADIENTDATA=1;2;3;4;5\r\n"
                        "[MYBTN]\r\nPARENTCLASS=BUTTON\r\nTRANSPARENCY=-1\r\nGLOW=300\r\nGIVEOWNFONT=yes\r\n"
                        "GRADIENTDATA=?\r\n"
                        "[SELF]\r\nPARENTCLASS=SELF\r\n"
                        "[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=C\r\n[C]\r\nPARENTCLASS=A\r\nX=7\r\n"
                        "[ORPHAN]\r\nPARENTCLASS=NOWHERE\r\n";

} // namespace

TEST(OptionsLookups, InheritanceDefaultsAndLimits)
{
    SkinIniFile ini{std::string(ChainText)};
    EXPECT_EQ(FindInteger(ini, "MYBTN", "COLOR", 16777215), 255);
    EXPECT_EQ(FindInteger(ini, "BUTTON", "COLOR", 16777215), 255);
    EXPECT_EQ(FindInteger(ini, "MYBTN", "FONTCOLOR", 0), 0);
    // -1 counts as absent: the parent's value is taken.
    EXPECT_EQ(FindInteger(ini, "MYBTN", "TRANSPARENCY", 0), 20);
    EXPECT_EQ(FindInteger(ini, "MYBTN", "GLOW", 0, 255), 255);
    EXPECT_EQ(FindInteger(ini, "MISSING", "COLOR", 16777215), 16777215);
    // A present Boolean ends the search, whatever it says.
    EXPECT_FALSE(FindBoolean(ini, "MYBTN", "GIVEOWNFONT", true));
    EXPECT_TRUE(FindBoolean(ini, "BUTTON", "GIVEOWNFONT", false));
    EXPECT_TRUE(FindBoolean(ini, "ORPHAN", "RESERVEDBOOLEAN", true));
    // "?" counts as absent.
    EXPECT_EQ(FindString(ini, "MYBTN", "GRADIENTDATA", " "), "1;2;3;4;5");
    EXPECT_EQ(FindString(ini, "ORPHAN", "GRADIENTDATA", " "), " ");
}

TEST(OptionsLookups, SelfParentsAndLoopsEnd)
{
    SkinIniFile ini{std::string(ChainText)};
    EXPECT_EQ(FindInteger(ini, "SELF", "COLOR", 5), 5);
    EXPECT_EQ(FindInteger(ini, "A", "X", 1), 7);
    EXPECT_EQ(FindInteger(ini, "B", "Y", 1), 1);
    EXPECT_EQ(FindString(ini, "C", "Y", "d"), "d");
    EXPECT_FALSE(FindBoolean(ini, "A", "Y", false));
}

TEST(OptionsLookups, ScaledReader)
{
    SkinIniFile ini{std::string("[GLOBALINFO]\r\nTITLEHEIGHT=24\r\nTITLEHEIGHT*150=40\r\nBISPACE=-1\r\n")};
    EXPECT_EQ(ReadScaledInteger(ini, "GLOBALINFO", "TITLEHEIGHT", 0), 24);
    EXPECT_EQ(ReadScaledInteger(ini, "GLOBALINFO", "TITLEHEIGHT", 1), 30);
    EXPECT_EQ(ReadScaledInteger(ini, "GLOBALINFO", "TITLEHEIGHT", 2), 40);
    EXPECT_EQ(ReadScaledInteger(ini, "GLOBALINFO", "MAXHEIGHT", 0), -1);
    EXPECT_EQ(ReadScaledInteger(ini, "GLOBALINFO", "MAXHEIGHT", 1), -1);
    EXPECT_TRUE(IsIgnoredKey("FADINGENABLED"));
    EXPECT_TRUE(IsIgnoredKey("BICONMAXGLOW"));
    EXPECT_FALSE(IsIgnoredKey("BICONCLOSEGLOW"));
}

TEST(ValueForms, GlyphRectangle)
{
    GlyphValue g = ParseGlyphValue("@0001@0020@0139@0041@3@0");
    EXPECT_EQ(g.R, platform::Rect(1, 20, 139, 41));
    EXPECT_EQ(g.ImageCount, 3);
    EXPECT_EQ(g.MaskType, 0);
    EXPECT_THROW(ParseGlyphValue("@0001@0020@0139@0041@3"), ConversionError);
    EXPECT_THROW(ParseGlyphValue("@00A1@0020@0139@0041@3@0"), ConversionError);
    EXPECT_THROW(ParseGlyphValue("@-001@0020@0139@0041@3@0"), ConversionError);
    try {
        ParseGlyphValue("@0001@0020@01X9@0041@3@0");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'01X9' is not a valid integer value");
    }
}

TEST(ValueForms, BorderMaskWidthsAndTheirReplacement)
{
    BorderValue b = ParseBorderValue("^0001^0001^0015^0019^0004^0004^0004^0004^1^0^1^1");
    EXPECT_EQ(b.R, platform::Rect(1, 1, 15, 19));
    EXPECT_EQ(b.WL + b.WT + b.WR + b.WB, 16);
    EXPECT_EQ(b.DrawMode, 1);
    EXPECT_EQ(b.BorderWidth, 1);

    b = ParseBorderValue("^0056^0000^0066^0005^0000^0000^0000^0000^2^0^1^3");
    EXPECT_EQ(b.WL, 3);
    EXPECT_EQ(b.WT, 3);
    EXPECT_EQ(b.WR, 3);
    EXPECT_EQ(b.WB, 3);
    b = ParseBorderValue("^0056^0000^0066^0005^0000^0000^0000^0000^2^0^1^0");
    EXPECT_EQ(b.WL, 1); // 10 / 6
    EXPECT_EQ(b.WR, 1);
    EXPECT_EQ(b.WT, 1); // 5 / 3
    EXPECT_EQ(b.WB, 1);
    // An image count of 0 must not divide by zero.
    b = ParseBorderValue("^0056^0000^0066^0005^0000^0000^0000^0000^0^0^1^0");
    EXPECT_EQ(b.WL, 0);
    EXPECT_THROW(ParseBorderValue("^0001^0001^0015^0019^0004^0004^0004^0004^1^0^1"), ConversionError);
    EXPECT_THROW(ParseBorderValue("^0001^0001^0015^0019^0004^0004^0004^0004^1^X^1^1"), ConversionError);
}

TEST(ValueForms, TextureWithAndWithoutFile)
{
    TextureValue t = ParseTextureValue("~0195~0031~0200~0041~10~1");
    EXPECT_EQ(t.R, platform::Rect(195, 31, 200, 41));
    EXPECT_EQ(t.DrawMode, 10);
    EXPECT_EQ(t.MaskType, 1);
    EXPECT_TRUE(t.File.empty());
    t = ParseTextureValue("~0195~0031~0200~0041~10");
    EXPECT_EQ(t.MaskType, 0);
    t = ParseTextureValue("~0000~0000~0010~0010~01~0~TILE.PNG");
    EXPECT_EQ(t.File, "TILE.PNG");
    EXPECT_EQ(t.DrawMode, 1);
    EXPECT_THROW(ParseTextureValue("~0195~0031~0200~0041~1X~1"), ConversionError);
}

TEST(ValueForms, ExternalImageWords)
{
    ExternalValue e = ParseExternalValue("!GLOWBTN.PNG!1!0!3!0015!0015!0015!0015!1");
    EXPECT_EQ(e.File, "GLOWBTN.PNG");
    EXPECT_EQ(e.ImageCount, 1);
    EXPECT_EQ(e.Kind, TacImgType::itisaGlow);
    EXPECT_TRUE(e.HasWidths);
    EXPECT_EQ(e.WL, 15);
    EXPECT_EQ(e.WB, 15);
    EXPECT_EQ(e.DrawMode, 1);

    e = ParseExternalValue("!A.PNG!3!1!9");
    EXPECT_EQ(e.Kind, TacImgType::itisaPngGlyph);
    EXPECT_FALSE(e.HasWidths);
    WidthsFromImage(e, 90, 40);
    EXPECT_EQ(e.WL, 10); // 90 / (3 * 3)
    EXPECT_EQ(e.WT, 6);  // 40 / (2 * 3)
    EXPECT_EQ(e.DrawMode, 0);

    // Counts near the integer limits divide without overflowing.
    e = ParseExternalValue("!A.PNG!2147483647!2147483647!0");
    WidthsFromImage(e, 90, 40);
    EXPECT_EQ(e.WL, 0);
    EXPECT_EQ(e.WT, 0);
    e = ParseExternalValue("!A.PNG!-2147483648!-2147483648!0");
    WidthsFromImage(e, 90, 40);
    EXPECT_EQ(e.WL, 0);
    EXPECT_EQ(e.WT, 0);

    e = ParseExternalValue("!A.PNG!X!Y!-2");
    EXPECT_EQ(e.ImageCount, 0);
    EXPECT_EQ(e.Kind, TacImgType::itisaBorder);
    WidthsFromImage(e, 90, 40);
    EXPECT_EQ(e.WL, 0);
    EXPECT_EQ(e.WT, 13);
}

TEST(ValueForms, GradientGroupsOfFive)
{
    auto g = ParseGradientData("15921906;15527148;50;0;0;15527148;14408667;1;0;0");
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].Color1, 15921906);
    EXPECT_EQ(g[0].Color2, 15527148);
    EXPECT_EQ(g[0].Percent, 50);
    EXPECT_EQ(g[1].Mode1, 0);
    EXPECT_EQ(g[1].Percent, 1);
    EXPECT_EQ(ParseGradientData("1;2;3;4;5;6;7").size(), 1u);
    EXPECT_TRUE(ParseGradientData("N/A").empty());
    g = ParseGradientData("1;2;250;1;9");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].Percent, 100);
    EXPECT_EQ(g[0].Mode1, 1);
    EXPECT_EQ(g[0].Mode2, 0);
}

TEST(OptionsLookups, LongChainsEndAfterTheLimit)
{
    std::string text = "[S0]\r\nX=5\r\n";
    for (int i = 1; i <= MaxParentChain + 10; ++i)
        text += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i - 1) + "\r\n";
    SkinIniFile ini{std::move(text)};
    EXPECT_EQ(FindInteger(ini, "S" + std::to_string(MaxParentChain - 1), "X", 1), 5);
    EXPECT_EQ(FindInteger(ini, "S" + std::to_string(MaxParentChain), "X", 1), 1);
}
