#include "TextTestSupport.h"

#include "platform/text/FontCache.h"
#include "platform/text/FontFace.h"

#include <gtest/gtest.h>

#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <fstream>

using namespace platform;
using namespace textTest;

namespace {

const std::string WineTahoma = std::string(FontCache::WineFontFolder) + "/tahoma.ttf";
const std::string WineTahomaBold = std::string(FontCache::WineFontFolder) + "/tahomabd.ttf";

int Round(double v) { return int(std::lround(v)); }

} // namespace

TEST(FontResolution, TahomaComesFromTheSystemsWindowsFontsAndBoldFromItsBoldFile)
{
    EXPECT_EQ(GetFontFile(Tahoma(-11)), WineTahoma);
    EXPECT_EQ(GetFontFile(Tahoma(-13, FW_BOLD)), WineTahomaBold);
    EXPECT_EQ(GetFontFile(Tahoma(-11, 600)), WineTahomaBold);

    LOGFONT lower;
    lower.lfFaceName = u"tahoma";
    EXPECT_EQ(GetFontFile(CreateFontIndirect(lower)), WineTahoma);

    // Italic Tahoma is not installed: the regular file is slanted instead of another face taken.
    LOGFONT italic;
    italic.lfItalic = true;
    EXPECT_EQ(GetFontFile(CreateFontIndirect(italic)), WineTahoma);
}

TEST(FontResolution, AFaceThatIsNotInstalledFallsBackToDejaVuSans)
{
    for (const char16_t* name : {u"No Such Face 1234", u"", u"Arial Unicode Imaginary"}) {
        LOGFONT lf;
        lf.lfFaceName = name;
        std::string file = GetFontFile(CreateFontIndirect(lf));
        if (lf.lfFaceName.empty()) {
            EXPECT_EQ(file, WineTahoma) << "an empty face name means the default face";
            continue;
        }
        FreeTypeFace face(file);
        ASSERT_TRUE(face.Get()) << file;
        EXPECT_EQ(face.Family(), FontCache::FallbackFamily) << file;
    }
    LOGFONT bold;
    bold.lfFaceName = u"No Such Face 1234";
    bold.lfWeight = FW_BOLD;
    FreeTypeFace face(GetFontFile(CreateFontIndirect(bold)));
    ASSERT_TRUE(face.Get());
    EXPECT_EQ(face.Family(), FontCache::FallbackFamily);
    EXPECT_TRUE(face->style_flags & FT_STYLE_FLAG_BOLD);
}

TEST(FontResolution, OneFontPerDescription)
{
    LOGFONT lf;
    HFONT a = CreateFontIndirect(lf);
    EXPECT_EQ(CreateFontIndirect(lf), a);
    EXPECT_EQ(GetDefaultGuiFont(), a) << "the default GUI font is Tahoma, 11 pixels";
    lf.lfUnderline = true;
    HFONT underlined = CreateFontIndirect(lf);
    EXPECT_NE(underlined, a);
    LOGFONT back;
    ASSERT_TRUE(GetObjectFont(underlined, &back));
    EXPECT_EQ(back, lf);
    EXPECT_FALSE(GetObjectFont(nullptr, &back));
    EXPECT_EQ(GetFontFile(nullptr), "");
}

// The metrics the platform derives from a TrueType face: the Windows ascent and descent scaled to
// the em size, the internal leading being what the cell has beyond the em.
TEST(FontMetrics, TahomaAt11And13PixelsFollowTheFontsWindowsMetrics)
{
    FreeTypeFace tahoma(WineTahoma);
    ASSERT_TRUE(tahoma.Get());
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(tahoma.Get(), FT_SFNT_OS2));
    ASSERT_TRUE(os2);
    const double upem = tahoma->units_per_EM;
    for (int ppem : {11, 13}) {
        SCOPED_TRACE(ppem);
        Canvas canvas(1, 1, Tahoma(-ppem));
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(canvas.dc, &tm));
        EXPECT_EQ(tm.tmAscent, Round(os2->usWinAscent * ppem / upem));
        EXPECT_EQ(tm.tmDescent, Round(os2->usWinDescent * ppem / upem));
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - ppem);
        EXPECT_EQ(tm.tmAveCharWidth, tahoma.Advance('x', ppem));
        EXPECT_GE(tm.tmMaxCharWidth, tahoma.Advance(0x0416, ppem)) << "Ж is among the widest letters";
        EXPECT_EQ(tm.tmWeight, FW_NORMAL);

        SIZE size;
        ASSERT_TRUE(GetTextExtentPoint32(canvas.dc, u"Ag", &size));
        EXPECT_EQ(size.cy, tm.tmHeight);

        // A positive height asks for the cell: the same font comes back.
        Canvas cell(1, 1, Tahoma(tm.tmHeight));
        TEXTMETRIC same;
        ASSERT_TRUE(GetTextMetrics(cell.dc, &same));
        EXPECT_EQ(same.tmHeight, tm.tmHeight);
        EXPECT_EQ(same.tmAscent, tm.tmAscent);
        EXPECT_EQ(Extent(Tahoma(tm.tmHeight), U("Сохранить")), Extent(Tahoma(-ppem), U("Сохранить")));
    }
    Canvas bold(1, 1, Tahoma(-11, FW_BOLD));
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(bold.dc, &tm));
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_FALSE(GetTextMetrics(nullptr, &tm));
}

TEST(FontMetrics, AdvanceWidthsAreTheFacesOwnWithoutKerning)
{
    FreeTypeFace tahoma(WineTahoma);
    ASSERT_TRUE(tahoma.Get());
    const String text = U("AVATAR Type Сохранить настройки соединения");
    for (int ppem : {11, 13, 20}) {
        int expected = 0;
        for (char16_t ch : text)
            expected += tahoma.Advance(ch, ppem);
        EXPECT_EQ(Extent(Tahoma(-ppem), text), expected) << ppem;
    }
}

TEST(FontMetrics, ExtentsGrowWithTheTextAndAddUp)
{
    HFONT font = Tahoma(-11);
    const String text = U("Настройки соединения: proxy 127.0.0.1");
    int previous = 0;
    for (std::size_t n = 1; n <= text.size(); ++n) {
        int width = Extent(font, StringView(text).substr(0, n));
        EXPECT_GE(width, previous) << n;
        previous = width;
    }
    EXPECT_GT(previous, 0);
    for (std::size_t split = 0; split <= text.size(); split += 5) {
        StringView all(text);
        EXPECT_EQ(Extent(font, all), Extent(font, all.substr(0, split)) + Extent(font, all.substr(split)));
    }
    EXPECT_EQ(Extent(font, u""), 0);
}

TEST(FontMetrics, SurrogatePairsAreOneCharacter)
{
    HFONT font = Tahoma(-11);
    const String pair = u"a\xD83D\xDE00" u"b";
    EXPECT_EQ(Extent(font, pair), Extent(font, u"ab") + font->CharWidth(0x1F600));
    // A lone half of a pair is a replacement character, never a read past the text.
    EXPECT_EQ(Extent(font, u"a\xD83D"), Extent(font, u"a") + font->CharWidth(0xFFFD));
    EXPECT_EQ(Extent(font, u"\xDE00" u"a"), Extent(font, u"a") + font->CharWidth(0xFFFD));
}

TEST(FontGlyphs, CharactersTahomaLacksComeFromDejaVuSans)
{
    HFONT font = Tahoma(-11);
    FreeTypeFace tahoma(WineTahoma);
    ASSERT_TRUE(tahoma.Get());
    ASSERT_EQ(FT_Get_Char_Index(tahoma.Get(), 0x25CF), 0u) << "the test needs a character Tahoma lacks";

    LOGFONT dejaVuLf;
    dejaVuLf.lfFaceName = Utf8ToUtf16(FontCache::FallbackFamily);
    FreeTypeFace dejaVu(GetFontFile(CreateFontIndirect(dejaVuLf)));
    ASSERT_TRUE(dejaVu.Get());
    const TextGlyph& dot = font->GlyphFor(0x25CF);
    EXPECT_EQ(dot.advance, dejaVu.Advance(0x25CF, 11));
    EXPECT_GT(dot.width * dot.height, 0);

    Canvas canvas(20, 16, font);
    ASSERT_TRUE(TextOut(canvas.dc, 2, 1, u"\u25CF"));
    EXPECT_GT(canvas.InkCount(), 10) << "the password dot is drawn, not a box";
    // Control characters have neither ink nor width.
    canvas.Clear();
    TextOut(canvas.dc, 2, 1, u"\t\r\n\x01\u200B");
    EXPECT_EQ(canvas.InkCount(), 0);
    EXPECT_EQ(Extent(font, u"a\tb\u200Bc"), Extent(font, u"abc"));
}

TEST(FontGlyphs, BoldAndItalicAreDrawnSoEvenWhereTheFilesAreNot)
{
    // The system's Tahoma Bold carries regular outlines and, at some sizes, regular bitmaps for
    // Latin letters; bold text must still come out heavier than regular text.
    for (int ppem : {11, 13, 16, 27}) {
        SCOPED_TRACE(ppem);
        Canvas regular(400, 40, Tahoma(-ppem)), bold(400, 40, Tahoma(-ppem, FW_BOLD));
        TextOut(regular.dc, 0, 0, u"Lumo TV Player");
        TextOut(bold.dc, 0, 0, u"Lumo TV Player");
        EXPECT_GT(bold.InkCount() * 10, regular.InkCount() * 13);
    }
    // A slanted "l": the ink of its top rows lies right of the ink of its bottom rows.
    LOGFONT lf;
    lf.lfHeight = -27;
    lf.lfItalic = true;
    Canvas canvas(40, 40, CreateFontIndirect(lf));
    TextOut(canvas.dc, 10, 2, u"l");
    RECT ink = canvas.Ink();
    ASSERT_FALSE(ink.IsEmpty());
    auto meanX = [&](int y) {
        int sum = 0, count = 0;
        for (int x = 0; x < 40; ++x)
            if (canvas.Touched(x, y)) {
                sum += x;
                ++count;
            }
        return count ? double(sum) / count : 0.0;
    };
    EXPECT_GT(meanX(ink.top + 1), meanX(ink.bottom - 2) + 2);
}

TEST(FontGlyphs, AbsurdSizesAreClampedNotAllocated)
{
    HFONT huge = Tahoma(-2000000000);
    TEXTMETRIC tm;
    Canvas canvas(50, 50, huge);
    ASSERT_TRUE(GetTextMetrics(canvas.dc, &tm));
    EXPECT_LE(tm.tmHeight, 2 * FontFace::MaxPixelSize);
    EXPECT_TRUE(TextOut(canvas.dc, 0, 0, u"W"));
    HFONT tiny = Tahoma(-0x7FFFFFFF - 1);
    Canvas other(50, 50, tiny);
    EXPECT_TRUE(TextOut(other.dc, 0, 0, u"W"));
    // Widths saturate rather than overflow.
    EXPECT_EQ(Extent(huge, String(3000000, u'W')), MaxTextWidth);
    Canvas small(50, 50, Tahoma(1));
    ASSERT_TRUE(GetTextMetrics(small.dc, &tm));
    EXPECT_GE(tm.tmHeight, 1);
}

TEST(FontGlyphs, ABrokenFontFileIsRefusedAndAFontWithoutFaceDrawsNothing)
{
    const std::string path = std::string(LUMO_BINARY_DIR) + "/broken-font.ttf";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\0\1\0\0 this is not a font" << std::string(300, '\xFF');
    }
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FontFace::Open(library, path, 0, -11, FaceStyle{}), nullptr);
    EXPECT_EQ(FontFace::Open(library, path + ".missing", 0, -11, FaceStyle{}), nullptr);
    EXPECT_EQ(FontFace::Open(library, WineTahoma, 7, -11, FaceStyle{}), nullptr) << "no face 7 in the file";
    FT_Done_FreeType(library);

    LOGFONT lf;
    Font font(lf, "", nullptr);
    EXPECT_GT(font.Metrics().tmHeight, 0);
    EXPECT_GT(font.TextWidth(u"abc"), 0);
    Canvas canvas(60, 20, &font);
    EXPECT_TRUE(TextOut(canvas.dc, 0, 0, u"abc"));
    EXPECT_EQ(canvas.InkCount(), 0);
}
