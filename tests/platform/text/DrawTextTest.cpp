#include "TextTestSupport.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/TextPainter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform;
using namespace textTest;

namespace {

TEXTMETRIC Metrics(HFONT font)
{
    Canvas canvas(1, 1, font);
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc, &tm);
    return tm;
}

RECT Shifted(RECT r, int dx, int dy)
{
    OffsetRect(&r, dx, dy);
    return r;
}

// Draws text in r on a fresh canvas and answers the ink's bounding box.
RECT InkOf(const String& text, RECT r, UINT format, HFONT font = nullptr, int width = 200, int height = 60)
{
    Canvas canvas(width, height, font);
    DrawText(canvas.dc, text, &r, format);
    return canvas.Ink();
}

} // namespace

TEST(TextOut, InkSitsOnTheBaselineInsideTheCell)
{
    HFONT font = Tahoma(-11);
    TEXTMETRIC tm = Metrics(font);
    Canvas canvas(100, 30, font);
    ASSERT_TRUE(TextOut(canvas.dc, 5, 7, u"HEH"));
    RECT caps = canvas.Ink();
    EXPECT_EQ(caps.bottom, 7 + tm.tmAscent) << "capitals stand on the baseline";
    EXPECT_GE(caps.top, 7);
    EXPECT_GE(caps.left, 5);
    EXPECT_LE(caps.right, 5 + Extent(font, u"HEH"));

    // Descenders reach below the baseline and stay inside the cell: nothing is cut off.
    for (const char* text : {"gjpqy", "руфД", "Qj,"}) {
        canvas.Clear();
        TextOut(canvas.dc, 5, 7, U(text));
        RECT ink = canvas.Ink();
        EXPECT_GT(ink.bottom, 7 + tm.tmAscent) << text;
        EXPECT_LE(ink.bottom, 7 + tm.tmHeight) << text;
        EXPECT_GE(ink.top, 7) << text;
    }
    EXPECT_FALSE(TextOut(nullptr, 0, 0, u"x"));
}

TEST(TextOut, OpaqueBackgroundFillsExactlyTheTextCell)
{
    HFONT font = Tahoma(-11);
    TEXTMETRIC tm = Metrics(font);
    Canvas canvas(80, 30, font);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    TextOut(canvas.dc, 3, 4, u"Порт");
    RECT cell = Bounds(3, 4, Extent(font, u"Порт"), tm.tmHeight);
    bool sawText = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            PixelBGRA p = canvas.bitmap.Pixel(x, y);
            if (!cell.Contains(POINT{x, y})) {
                EXPECT_EQ(p, White) << x << "," << y;
                continue;
            }
            EXPECT_EQ(PixelG(p), 0) << "only blue background and red text inside the cell";
            EXPECT_EQ(PixelA(p), 255);
            sawText = sawText || PixelR(p) == 255;
        }
    EXPECT_TRUE(sawText);
}

TEST(TextOut, TouchedPixelsBecomeOpaqueAndTheRestKeepsItsAlpha)
{
    Bitmap bitmap(60, 20); // transparent black
    HDC dc = CreateBitmapDC(&bitmap);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOut(dc, 2, 2, U("Текст"));
    int touched = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            PixelBGRA p = bitmap.Pixel(x, y);
            if (p == 0)
                continue;
            ++touched;
            EXPECT_EQ(PixelA(p), 255);
        }
    EXPECT_GT(touched, 20);
    DeleteDC(dc);
}

TEST(TextOut, CoverageBlendsTheTextColourExactly)
{
    const PixelBGRA dst = MakePixel(200, 100, 0, 17);
    const PixelBGRA color = MakePixel(0, 50, 255);
    for (unsigned coverage : {0u, 1u, 64u, 128u, 200u, 254u, 255u}) {
        PixelBGRA out = BlendCoverage(dst, color, coverage);
        if (coverage == 0) {
            EXPECT_EQ(out, dst);
            continue;
        }
        auto expect = [&](int c, int d) { return int(std::lround((c * coverage + d * (255.0 - coverage)) / 255.0)); };
        EXPECT_EQ(PixelR(out), expect(0, 200)) << coverage;
        EXPECT_EQ(PixelG(out), expect(50, 100)) << coverage;
        EXPECT_EQ(PixelB(out), expect(255, 0)) << coverage;
        EXPECT_EQ(PixelA(out), 255);
    }
    // Large sizes are antialiased: some pixels lie between text and background.
    Canvas canvas(60, 40, Tahoma(-27));
    TextOut(canvas.dc, 2, 2, u"Os");
    bool grey = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            BYTE g = PixelG(canvas.bitmap.Pixel(x, y));
            grey = grey || (g > 0 && g < 255);
        }
    EXPECT_TRUE(grey);
}

TEST(DrawText, HorizontalAlignmentMovesEachLineByItsSpareWidth)
{
    HFONT font = Tahoma(-11);
    const String text = U("Сохранить");
    const int width = Extent(font, text);
    const RECT box = Rect(10, 5, 150, 40);
    RECT left = InkOf(text, box, DT_SINGLELINE, font);
    ASSERT_FALSE(left.IsEmpty());
    EXPECT_EQ(InkOf(text, box, DT_SINGLELINE | DT_CENTER, font), Shifted(left, (140 - width) / 2, 0));
    EXPECT_EQ(InkOf(text, box, DT_SINGLELINE | DT_RIGHT, font), Shifted(left, 140 - width, 0));

    // Each line of several is aligned by itself.
    Canvas canvas(200, 60, font);
    RECT r = box;
    DrawText(canvas.dc, U("Сохранить\nи"), &r, DT_RIGHT);
    RECT all = canvas.Ink();
    EXPECT_EQ(all.right, left.right + 140 - width);
    int tm = Metrics(font).tmHeight;
    int secondLineLeft = 200;
    for (int y = 5 + tm; y < 5 + 2 * tm; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas.Touched(x, y))
                secondLineLeft = std::min(secondLineLeft, x);
    EXPECT_GE(secondLineLeft, 150 - Extent(font, u"и"));
}

TEST(DrawText, VerticalPlacementOnlyForASingleLine)
{
    HFONT font = Tahoma(-11);
    const int cell = Metrics(font).tmHeight;
    const RECT box = Rect(4, 3, 150, 40);
    const String text = U("Порт");
    RECT top = InkOf(text, box, DT_SINGLELINE, font);
    ASSERT_FALSE(top.IsEmpty());
    EXPECT_EQ(InkOf(text, box, DT_SINGLELINE | DT_VCENTER, font), Shifted(top, 0, (37 - cell) / 2));
    EXPECT_EQ(InkOf(text, box, DT_SINGLELINE | DT_BOTTOM, font), Shifted(top, 0, 37 - cell));
    EXPECT_EQ(InkOf(text, box, DT_VCENTER, font), top);
    EXPECT_EQ(InkOf(text, box, DT_BOTTOM | DT_WORDBREAK, font), top);

    // The answer is the height of the text, counted from the top for centred and bottom text.
    Canvas canvas(200, 60, font);
    RECT r = box;
    EXPECT_EQ(DrawText(canvas.dc, text, &r, DT_SINGLELINE), cell);
    EXPECT_EQ(DrawText(canvas.dc, text, &r, DT_SINGLELINE | DT_VCENTER), (37 - cell) / 2 + cell);
    EXPECT_EQ(DrawText(canvas.dc, text, &r, DT_SINGLELINE | DT_BOTTOM), 37);
    EXPECT_EQ(DrawText(canvas.dc, U("a\nb\nc"), &r, 0), 3 * cell);
    EXPECT_EQ(DrawText(nullptr, text, &r, 0), 0);
    EXPECT_EQ(DrawText(canvas.dc, text, nullptr, 0), 0);
}

TEST(DrawText, CalcRectMeasuresAndDrawsNothing)
{
    HFONT font = Tahoma(-11);
    const int cell = Metrics(font).tmHeight;
    Canvas canvas(200, 60, font);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(255, 0, 0));
    RECT r = Rect(7, 9, 7, 9);
    EXPECT_EQ(DrawText(canvas.dc, U("Адрес:\nПорт:"), &r, DT_CALCRECT), 2 * cell);
    EXPECT_EQ(r, Rect(7, 9, 7 + Extent(font, U("Адрес:")), 9 + 2 * cell));
    r = Rect(7, 9, 100, 100);
    EXPECT_EQ(DrawText(canvas.dc, U("&Файл"), &r, DT_CALCRECT | DT_SINGLELINE | DT_CENTER | DT_VCENTER), cell);
    EXPECT_EQ(r, Rect(7, 9, 7 + Extent(font, U("Файл")), 9 + cell));
    EXPECT_EQ(canvas.InkCount(), 0);

    // Empty text has no lines.
    r = Rect(7, 9, 100, 100);
    EXPECT_EQ(DrawText(canvas.dc, u"", &r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(7, 9, 7, 9));
    r = Rect(7, 9, 100, 100);
    EXPECT_EQ(DrawText(canvas.dc, u"", &r, DT_SINGLELINE | DT_VCENTER), 0);
    EXPECT_EQ(canvas.InkCount(), 0);
}

TEST(DrawText, LinesBreakAtNewlinesUnlessSingleLine)
{
    HFONT font = Tahoma(-11);
    const int cell = Metrics(font).tmHeight;
    Canvas canvas(10, 10, font);
    auto height = [&](const char16_t* text, UINT format) {
        RECT r = Rect(0, 0, 300, 300);
        return DrawText(canvas.dc, text, &r, format | DT_CALCRECT);
    };
    EXPECT_EQ(height(u"a\nb\r\nc\rd", 0), 4 * cell);
    EXPECT_EQ(height(u"a\n\nb", 0), 3 * cell);
    EXPECT_EQ(height(u"a\n", 0), cell) << "a break at the end opens no line";
    EXPECT_EQ(height(u"\n", 0), cell);
    EXPECT_EQ(height(u"a\nb\r\nc", DT_SINGLELINE), cell);
    RECT r = Rect(0, 0, 300, 300);
    DrawText(canvas.dc, u"ab\r\ncd", &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right, Extent(font, u"abcd")) << "line breaks of a single line take no room";
}

TEST(DrawText, ExpandTabsToEightAverageCharacters)
{
    HFONT font = Tahoma(-11);
    const int stop = 8 * Metrics(font).tmAveCharWidth;
    Canvas canvas(10, 10, font);
    RECT r = Rect(0, 0, 500, 50);
    DrawText(canvas.dc, u"a\tb", &r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(r.right, stop + Extent(font, u"b"));
    r = Rect(0, 0, 500, 50);
    DrawText(canvas.dc, u"a\tb\t\tc", &r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(r.right, 3 * stop + Extent(font, u"c"));
    r = Rect(0, 0, 500, 50);
    DrawText(canvas.dc, u"a\tb", &r, DT_CALCRECT);
    EXPECT_EQ(r.right, Extent(font, u"ab"));
}

TEST(DrawText, PrefixUnderlinesTheMarkedLetter)
{
    HFONT font = Tahoma(-11);
    const TextBar bar = font->Underline();
    const int x0 = 4, y0 = 2;
    auto underlineRow = [&](const char16_t* text, UINT format) {
        Canvas canvas(120, 20, font);
        RECT r = Rect(x0, y0, 120, 20);
        DrawText(canvas.dc, text, &r, format | DT_SINGLELINE);
        std::vector<bool> row;
        for (int x = 0; x < 120; ++x)
            row.push_back(canvas.Touched(x, y0 + bar.top));
        return row;
    };
    // Under the bar's row nothing is drawn without a prefix (no descenders in these letters).
    std::vector<bool> plain = underlineRow(u"abc", 0);
    for (bool touched : plain)
        ASSERT_FALSE(touched);

    std::vector<bool> row = underlineRow(u"a&bc", 0);
    const int from = x0 + Extent(font, u"a"), to = x0 + Extent(font, u"ab");
    for (int x = 0; x < 120; ++x)
        EXPECT_EQ(row[std::size_t(x)], x >= from && x < to) << x;

    EXPECT_EQ(underlineRow(u"a&bc", DT_HIDEPREFIX), plain);
    EXPECT_EQ(underlineRow(u"a&&bc", 0), underlineRow(u"a&bc", DT_NOPREFIX));

    Canvas canvas(10, 10, font);
    auto width = [&](const char16_t* text, UINT format) {
        RECT r = Rect(0, 0, 500, 50);
        DrawText(canvas.dc, text, &r, format | DT_CALCRECT);
        return r.right;
    };
    EXPECT_EQ(width(u"a&&b", 0), Extent(font, u"a&b"));
    EXPECT_EQ(width(u"&File", 0), Extent(font, u"File"));
    EXPECT_EQ(width(u"&File", DT_NOPREFIX), Extent(font, u"&File"));
    EXPECT_EQ(width(u"File&", 0), Extent(font, u"File")) << "a lone mark at the end is dropped";
    EXPECT_EQ(width(u"&", 0), 0);
}

TEST(DrawText, UnderlineAndStrikeOutSpanTheLine)
{
    LOGFONT lf;
    lf.lfUnderline = true;
    HFONT underlined = CreateFontIndirect(lf);
    lf.lfUnderline = false;
    lf.lfStrikeOut = true;
    HFONT struck = CreateFontIndirect(lf);
    for (HFONT font : {underlined, struck}) {
        TextBar bar = font == underlined ? font->Underline() : font->StrikeOut();
        Canvas canvas(120, 20, font);
        TextOut(canvas.dc, 3, 2, u"word");
        int width = Extent(font, u"word");
        for (int x = 0; x < 120; ++x)
            EXPECT_EQ(canvas.Touched(x, 2 + bar.top), x >= 3 && x < 3 + width) << x;
    }
    EXPECT_GT(underlined->Underline().top, Metrics(underlined).tmAscent - 1) << "below the baseline";
    EXPECT_LT(struck->StrikeOut().top, Metrics(struck).tmAscent) << "above the baseline";
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip)
{
    HFONT font = Tahoma(-11);
    const RECT box = Rect(10, 5, 40, 30);
    RECT clipped = InkOf(U("Очень длинная строка"), box, DT_SINGLELINE, font);
    EXPECT_GT(clipped.right, 30);
    EXPECT_LE(clipped.right, 40);
    RECT free = InkOf(U("Очень длинная строка"), box, DT_SINGLELINE | DT_NOCLIP, font);
    EXPECT_GT(free.right, 60);

    // Text above the rectangle's top is cut too, and centred text wider than the box overflows
    // on both sides when not clipped.
    RECT low = InkOf(u"Wide centred text", Rect(80, 10, 100, 20), DT_SINGLELINE | DT_CENTER | DT_NOCLIP, font);
    EXPECT_LT(low.left, 80);
    EXPECT_GT(low.right, 100);
}

TEST(DrawText, HonoursTheDeviceContextsClipAndOrigin)
{
    HFONT font = Tahoma(-11);
    Canvas reference(100, 40, font);
    RECT r = Rect(0, 0, 100, 40);
    DrawText(reference.dc, U("Сохранить"), &r, DT_SINGLELINE | DT_NOCLIP);

    Canvas moved(100, 40, font);
    SetViewportOrgEx(moved.dc, 7, 9, nullptr);
    r = Rect(0, 0, 100, 40);
    DrawText(moved.dc, U("Сохранить"), &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(moved.Ink(), Shifted(reference.Ink(), 7, 9));

    Canvas clipped(100, 40, font);
    IntersectClipRect(clipped.dc, 12, 0, 30, 8);
    SetBkMode(clipped.dc, OPAQUE);
    SetBkColor(clipped.dc, RGB(0, 255, 0));
    r = Rect(0, 0, 100, 40);
    DrawText(clipped.dc, U("Сохранить"), &r, DT_SINGLELINE | DT_NOCLIP);
    int inside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            bool in = x >= 12 && x < 30 && y < 8;
            if (!in) {
                EXPECT_FALSE(clipped.Touched(x, y)) << x << "," << y;
            }
            inside += in && clipped.Touched(x, y);
        }
    EXPECT_EQ(inside, 18 * 8) << "the clip's whole share of the cell is painted";
}

TEST(DrawText, RussianTextProducesInk)
{
    const String alphabet = U("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    for (LONG weight : {FW_NORMAL, FW_BOLD}) {
        HFONT font = Tahoma(-11, weight);
        for (char16_t ch : alphabet) {
            Canvas canvas(20, 16, font);
            TextOut(canvas.dc, 2, 1, StringView(&ch, 1));
            EXPECT_GT(canvas.InkCount(), 3) << int(ch);
            EXPECT_GT(Extent(font, StringView(&ch, 1)), 2) << int(ch);
        }
    }
}

TEST(DrawText, RightToLeftReadingOrdersRunsFromTheRight)
{
    HFONT font = Tahoma(-11);
    // In a right-to-left paragraph the neutral "!" after left-to-right words goes to their left.
    Canvas rtl(120, 20, font), mirrored(120, 20, font);
    RECT r = Rect(0, 0, 120, 20);
    DrawText(rtl.dc, u"abc def!", &r, DT_SINGLELINE | DT_RTLREADING | DT_RIGHT);
    DrawText(mirrored.dc, u"!abc def", &r, DT_SINGLELINE | DT_RIGHT);
    EXPECT_EQ(rtl.bitmap, mirrored.bitmap);

    Canvas plain(120, 20, font);
    DrawText(plain.dc, u"abc def!", &r, DT_SINGLELINE | DT_RIGHT);
    EXPECT_FALSE(plain.bitmap == rtl.bitmap);
}
