#include "toolkit/Exception.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TCanvas.h"
#include "toolkit/TFont.h"
#include "toolkit/TIcon.h"
#include "toolkit/TPicture.h"

#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace toolkit;
using namespace platform;

namespace {

// A 10 x 10 opaque white bitmap with a canvas, to draw on and read back.
struct Surface {
    TBitmap bitmap{10, 10};
    Surface() { bitmap.Bitmap().Fill(MakePixel(255, 255, 255)); }
    TCanvas& Canvas() { return *bitmap.Canvas(); }
    PixelBGRA At(int x, int y) { return bitmap.Bitmap().Pixel(x, y); }
};

} // namespace

TEST(TFontTest, SizeAndHeightAreTwoViewsOfOneValue)
{
    TFont font;
    EXPECT_EQ(font.Name(), u"Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(-27);
    EXPECT_EQ(font.Size(), 20);
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetStyle({fsBold});
    font.SetStyle({fsBold});
    font.SetColor(clBlue);
    EXPECT_EQ(changes, 2);
    TFont copy;
    copy.Assign(&font);
    EXPECT_TRUE(copy.SameAs(font));
    EXPECT_NE(copy.Handle(), nullptr);
}

TEST(TCanvasTest, FillsFramesAndLinesStayInsideTheirRectangles)
{
    Surface s;
    s.Canvas().Brush()->Color = clRed;
    s.Canvas().FillRect(TRect{2, 2, 5, 4});
    EXPECT_EQ(s.At(2, 2), MakePixel(255, 0, 0));
    EXPECT_EQ(s.At(4, 3), MakePixel(255, 0, 0));
    EXPECT_EQ(s.At(5, 3), MakePixel(255, 255, 255));
    EXPECT_EQ(s.At(4, 4), MakePixel(255, 255, 255));
    s.Canvas().Brush()->Style = bsClear;
    s.Canvas().FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(s.At(0, 0), MakePixel(255, 255, 255));

    s.Canvas().Pen()->Color = clBlue;
    s.Canvas().MoveTo(0, 8);
    s.Canvas().LineTo(5, 8);
    EXPECT_EQ(s.At(4, 8), MakePixel(0, 0, 255));
    EXPECT_EQ(s.At(5, 8), MakePixel(255, 255, 255));
    EXPECT_EQ(s.Canvas().PenPos(), (TPoint{5, 8}));

    // The focus outline: every second pixel of the edges, from the top-left corner.
    Surface f;
    f.Canvas().Font()->SetColor(clBlack);
    f.Canvas().DrawFocusRect(TRect{1, 1, 6, 6});
    EXPECT_EQ(f.At(1, 1), MakePixel(0, 0, 0));
    EXPECT_EQ(f.At(2, 1), MakePixel(255, 255, 255));
    EXPECT_EQ(f.At(3, 1), MakePixel(0, 0, 0));
    EXPECT_EQ(f.At(5, 5), MakePixel(0, 0, 0));
    EXPECT_EQ(f.At(3, 3), MakePixel(255, 255, 255));
}

TEST(TCanvasTest, TextRectClipsTheTextToItsRectangle)
{
    TBitmap bitmap(60, 20);
    bitmap.Bitmap().Fill(MakePixel(255, 255, 255));
    TCanvas& c = *bitmap.Canvas();
    c.Font()->SetColor(clBlack);
    c.Brush()->Color = clWhite;
    c.TextRect(TRect{0, 0, 10, 20}, 0, 2, u"WWWWWW");
    int inkInside = 0, inkOutside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (bitmap.Bitmap().Pixel(x, y) != MakePixel(255, 255, 255))
                (x < 10 ? inkInside : inkOutside)++;
    EXPECT_GT(inkInside, 0);
    EXPECT_EQ(inkOutside, 0);
    EXPECT_GT(c.TextWidth(u"WWWWWW"), 30);
    EXPECT_EQ(c.TextHeight(u"Wg"), c.TextExtent(u"Wg").cy);
}

TEST(TBitmapTest, ThirtyTwoBitPicturesAreDrawnWithTheirAlpha)
{
    TBitmap glyph(2, 1);
    glyph.ScanLine(0)[0] = MakePixel(255, 0, 0, 255);
    glyph.ScanLine(0)[1] = MakePixel(0, 0, 255, 128);
    glyph.SetPixelFormat(pf32bit);
    glyph.SetAlphaFormat(afDefined);
    Surface s;
    s.Canvas().Draw(3, 3, &glyph);
    EXPECT_EQ(s.At(3, 3) & 0x00FFFFFF, MakePixel(255, 0, 0) & 0x00FFFFFF);
    PixelBGRA half = s.At(4, 3);
    EXPECT_NEAR(PixelR(half), 127, 1);
    EXPECT_NEAR(PixelG(half), 127, 1);
    EXPECT_EQ(PixelB(half), 255);
    EXPECT_EQ(s.At(5, 3), MakePixel(255, 255, 255));

    // Without a defined alpha the same picture is opaque.
    glyph.SetAlphaFormat(afIgnored);
    Surface t;
    t.Canvas().Draw(3, 3, &glyph);
    EXPECT_EQ(t.At(4, 3) & 0x00FFFFFF, MakePixel(0, 0, 255) & 0x00FFFFFF);

    // A transparent bitmap leaves out its bottom-left pixel's colour.
    TBitmap keyed(2, 2);
    keyed.Bitmap().Fill(MakePixel(255, 0, 255));
    keyed.ScanLine(0)[1] = MakePixel(0, 128, 0);
    keyed.SetTransparent(true);
    Surface u;
    u.Canvas().StretchDraw(TRect{0, 0, 4, 4}, &keyed);
    EXPECT_EQ(u.At(0, 0), MakePixel(255, 255, 255));
    EXPECT_EQ(u.At(3, 0) & 0x00FFFFFF, MakePixel(0, 128, 0) & 0x00FFFFFF);
    EXPECT_EQ(u.At(3, 3), MakePixel(255, 255, 255));
}

TEST(TBitmapTest, ResizingKeepsWhatFitsAndScanLinesAreChecked)
{
    TBitmap b(3, 3);
    b.ScanLine(1)[1] = MakePixel(1, 2, 3);
    b.SetSize(2, 5);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(b.ScanLine(1)[1], MakePixel(1, 2, 3));
    EXPECT_EQ(b.ScanLine(4)[0], 0u);
    EXPECT_THROW(b.ScanLine(5), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
}

TEST(TPictureTest, LoadsPicturesWithAlphaAndRefusesOthers)
{
    const std::string folder = "/tmp/lumo-picture-" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    Bitmap pixels(4, 3);
    pixels.Fill(MakePixel(10, 20, 30, 100));
    SavePng(pixels, folder + "/glyph.png");
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(Utf8ToUtf16(folder + "/glyph.png"));
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_GE(changes, 1);
    ASSERT_NE(picture.Bitmap(), nullptr);
    EXPECT_EQ(picture.Bitmap()->PixelFormat(), pf32bit);
    EXPECT_EQ(picture.Bitmap()->AlphaFormat(), afDefined);

    EXPECT_THROW(picture.LoadFromFile(Utf8ToUtf16(folder + "/missing.png")), EFOpenError);
    std::FILE* junk = std::fopen((folder + "/junk.png").c_str(), "wb");
    std::fputs("not a picture", junk);
    std::fclose(junk);
    EXPECT_THROW(picture.LoadFromFile(Utf8ToUtf16(folder + "/junk.png")), EInvalidGraphic);
    // A failed load keeps the picture it had.
    EXPECT_EQ(picture.Width(), 4);

    TIcon icon;
    icon.Assign(picture.Graphic());
    EXPECT_EQ(icon.Width(), 4);
    EXPECT_EQ(PixelA(icon.Handle()->Pixel(0, 0)), 100);
    std::filesystem::remove_all(folder);
}
