// A skinned button's cache picture on a hand-made skin whose border mask has one plain colour per
// state, so that a corner pixel tells which state was painted.
#include "skin/controls/ButtonPicture.h"

#include "skin/controls/ButtonCaption.h"
#include "skin/manager/TsSkinManager.h"
#include "platform/text/Text.h"
#include "toolkit/TCanvas.h"

#include <gtest/gtest.h>

using namespace skin;
using platform::Bitmap;
using platform::MakePixel;
using platform::PixelBGRA;
using platform::RECT;
using toolkit::TPoint;

namespace {

const PixelBGRA StateColors[4] = {MakePixel(10, 10, 10), MakePixel(20, 20, 20), MakePixel(30, 30, 30),
                                  MakePixel(40, 40, 40)};
const PixelBGRA GlyphCorner = MakePixel(250, 0, 0);
const PixelBGRA GlyphBody = MakePixel(0, 0, 250);

// An opaque glyph pixel is blended with a weight of 255 of 256, so it comes out within a step of
// its own colour.
::testing::AssertionResult IsGlyphPixel(PixelBGRA actual, PixelBGRA glyphPixel)
{
    const auto near = [](int a, int b) { return a - b >= -2 && a - b <= 2; };
    if (near(platform::PixelR(actual), platform::PixelR(glyphPixel)) &&
        near(platform::PixelG(actual), platform::PixelG(glyphPixel)) &&
        near(platform::PixelB(actual), platform::PixelB(glyphPixel)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << actual << " is not near " << glyphPixel;
}

class ButtonPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        font.SetName(u"Tahoma");
        font.SetHeight(-11);
        model.MasterBitmap = Bitmap(24, 6);
        for (int state = 0; state < 4; ++state)
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x)
                    model.MasterBitmap.SetPixel(state * 6 + x, y, StateColors[state]);
        TsMaskData border;
        border.R = RECT{0, 0, 24, 6};
        border.ImageCount = 4;
        border.Width = 6;
        border.Height = 6;
        border.WL = border.WT = border.WR = border.WB = 2;
        borderIndex = model.AddMask(border);
    }

    int AddButtonSection(int states)
    {
        TsGeneralData section;
        section.ClassName = "BUTTON" + std::to_string(states);
        section.States = states;
        section.BorderIndex = borderIndex;
        return model.AddSection(section);
    }

    ButtonSkin Skin(int skinIndex, int state)
    {
        ButtonSkin s;
        s.Model = &model;
        s.Manager = &manager;
        s.SkinIndex = skinIndex;
        s.State = state;
        return s;
    }

    // An opaque 32 × 32 glyph whose top-left pixel differs from the rest.
    void MakeGlyph()
    {
        Bitmap b(32, 32);
        b.Fill(GlyphBody);
        b.SetPixel(0, 0, GlyphCorner);
        glyph.SetBitmap(std::move(b), true);
    }

    TsSkinManager manager;
    TsSkinModel model;
    int borderIndex = -1;
    toolkit::TFont font;
    toolkit::TBitmap glyph;
};

} // namespace

TEST_F(ButtonPictureTest, TheDefaultButtonShowsTheHotPictureUnlessTheSectionHasAFourthState)
{
    ButtonContent content;
    Bitmap cache(20, 10);
    PaintBitBtnPicture(Skin(AddButtonSection(3), 3), content, false, cache);
    EXPECT_EQ(cache.Pixel(0, 0), StateColors[1]);
    PaintBitBtnPicture(Skin(AddButtonSection(4), 3), content, false, cache);
    EXPECT_EQ(cache.Pixel(0, 0), StateColors[3]);
    PaintBitBtnPicture(Skin(AddButtonSection(3), 2), content, false, cache);
    EXPECT_EQ(cache.Pixel(0, 0), StateColors[2]);
}

TEST_F(ButtonPictureTest, TheSourceButtonCentresItsGlyphAndShiftsItWhilePressed)
{
    MakeGlyph();
    ButtonContent content;
    content.Caption = u"Сервер 1";
    content.Font = font.Handle();
    content.Glyph = &glyph;
    toolkit::TCanvas canvas;
    canvas.Font()->Assign(&font);
    const int tw = canvas.TextWidth(u"Сервер 1");
    const int section = AddButtonSection(3);

    Bitmap cache(107, 36);
    ButtonPictureResult rest = PaintBitBtnPicture(Skin(section, 0), content, false, cache);
    const TPoint expected{(107 - (32 + 4 + tw) + 1) / 2, 2};
    EXPECT_EQ(rest.GlyphPos, expected);
    EXPECT_EQ(rest.CaptionRect.left, expected.x + 36);
    EXPECT_TRUE(IsGlyphPixel(cache.Pixel(expected.x, 2), GlyphCorner));

    ButtonPictureResult pressed = PaintBitBtnPicture(Skin(section, 2), content, false, cache);
    EXPECT_EQ(pressed.GlyphPos, (TPoint{expected.x + 1, 3}));
    EXPECT_EQ(pressed.CaptionRect.left, rest.CaptionRect.left + 1);
    EXPECT_EQ(pressed.CaptionRect.top, rest.CaptionRect.top + 1);
    EXPECT_TRUE(IsGlyphPixel(cache.Pixel(expected.x + 1, 3), GlyphCorner));
    EXPECT_FALSE(IsGlyphPixel(cache.Pixel(expected.x, 2), GlyphCorner)); // the background shows there again

    // Without the shift on click the pressed content stays in place.
    content.ShiftContentOnClick = false;
    EXPECT_EQ(PaintBitBtnPicture(Skin(section, 2), content, false, cache).GlyphPos, expected);
}

TEST_F(ButtonPictureTest, ASpeedButtonGlyphFillsItsButtonAndMovesOnePixelWhilePressed)
{
    MakeGlyph();
    ButtonContent content;
    content.Glyph = &glyph;
    const int section = AddButtonSection(3);
    Bitmap cache(32, 32);
    ButtonPictureResult rest = PaintSpeedButtonPicture(Skin(section, 0), content, gmInactive, cache);
    EXPECT_EQ(rest.GlyphPos, (TPoint{0, 0}));
    EXPECT_TRUE(IsGlyphPixel(cache.Pixel(0, 0), GlyphCorner));
    EXPECT_TRUE(IsGlyphPixel(cache.Pixel(31, 31), GlyphBody));

    ButtonPictureResult pressed = PaintSpeedButtonPicture(Skin(section, 2), content, gmInactive, cache);
    EXPECT_EQ(pressed.GlyphPos, (TPoint{1, 1}));
    EXPECT_TRUE(IsGlyphPixel(cache.Pixel(1, 1), GlyphCorner));
    EXPECT_EQ(cache.Pixel(0, 0), StateColors[2]);
}

TEST_F(ButtonPictureTest, ABorderUnderTheContentIsCoveredAndOneOverItIsNot)
{
    MakeGlyph();
    ButtonContent content;
    content.Glyph = &glyph;
    const int section = AddButtonSection(3);
    Bitmap cache(32, 32);
    content.Props.DrawOverBorder = false;
    PaintBitBtnPicture(Skin(section, 1), content, false, cache);
    EXPECT_EQ(cache.Pixel(0, 0), StateColors[1]);
    EXPECT_EQ(cache.Pixel(16, 1), StateColors[1]);
    content.Props.DrawOverBorder = true;
    PaintBitBtnPicture(Skin(section, 1), content, false, cache);
    EXPECT_TRUE(IsGlyphPixel(cache.Pixel(16, 1), GlyphBody));
}

TEST_F(ButtonPictureTest, ABorderWithShapedCornersCutsTheRegionOnlyWhenAsked)
{
    Bitmap& master = model.MasterBitmap;
    master.SetPixel(6, 0, MakePixel(255, 0, 255)); // the hot image's top-left corner pixel is clear
    model.ma[std::size_t(borderIndex)].CornerType = 2;
    ButtonContent content;
    const int section = AddButtonSection(3);
    Bitmap cache(20, 10);
    ButtonPictureResult plain = PaintBitBtnPicture(Skin(section, 1), content, false, cache);
    EXPECT_FALSE(plain.Region.has_value());
    ButtonPictureResult cut = PaintBitBtnPicture(Skin(section, 1), content, true, cache);
    ASSERT_TRUE(cut.Region.has_value());
    EXPECT_FALSE(cut.Region->Contains({0, 0}));
    EXPECT_TRUE(cut.Region->Contains({1, 0}));
    EXPECT_TRUE(cut.Region->Contains({19, 9}));
}

TEST_F(ButtonPictureTest, APushButtonCentresItsCaptionAndKeepsItsFocusDotsOffTheEdges)
{
    TsGeneralData section;
    section.ClassName = "PUSH";
    section.States = 3;
    for (TsGenState& s : section.Props) {
        s.Color = 0xFFFFFF;
        s.FontColor.Color = 0x0000FF; // red dots, red text
    }
    const int index = model.AddSection(section);
    ButtonContent content;
    content.Caption = u"Открыть страницу загрузки проигрывателя";
    content.Font = font.Handle();
    content.ShowFocusFrame = true;
    Bitmap cache(130, 25);
    ButtonPictureResult r = PaintPushButtonPicture(Skin(index, 1), content, PushButtonLook{}, false, cache);
    const toolkit::TSize measured =
        MeasureCaption(font.Handle(), content.Caption, 118, platform::DT_CENTER | platform::DT_WORDBREAK);
    EXPECT_EQ(r.CaptionRect, PushButtonCaptionRect(130, 25, measured));
    const PixelBGRA red = MakePixel(255, 0, 0);
    int dots = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 130; ++x)
            if (cache.Pixel(x, y) == red && (x == r.CaptionRect.left - 2 || x == r.CaptionRect.right + 1)) {
                ++dots;
                EXPECT_GE(y, 3);
                EXPECT_LT(y, 22);
            }
    EXPECT_GT(dots, 0);
}
