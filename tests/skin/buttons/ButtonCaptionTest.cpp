// Measuring and framing a skinned button's caption.
#include "skin/controls/ButtonCaption.h"

#include "platform/text/Text.h"
#include "toolkit/TCanvas.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace toolkit;

namespace {

void UseTahoma(TCanvas& canvas)
{
    canvas.Font()->SetName(u"Tahoma");
    canvas.Font()->SetHeight(-11);
}

} // namespace

TEST(MeasureCaption, WrapsWordsOnlyWithWordWrapAndNeverCutsWhileMeasuring)
{
    TCanvas canvas;
    UseTahoma(canvas);
    const int line = canvas.TextHeight(u"Сервер 1");
    const int wide = canvas.TextWidth(u"Сервер 1");
    const UINT wrap = CaptionFlags({taCenter, true, false, true});
    const UINT single = CaptionFlags({taCenter, false, false, true});

    EXPECT_EQ(MeasureCaption(canvas.Font()->Handle(), u"Сервер 1", 73, wrap), (TSize{wide, line}));
    TSize broken = MeasureCaption(canvas.Font()->Handle(), u"Сервер 1", wide - 5, wrap);
    EXPECT_EQ(broken.cy, 2 * line);
    EXPECT_LT(broken.cx, wide);
    EXPECT_EQ(MeasureCaption(canvas.Font()->Handle(), u"Сервер 1", wide - 5, single), (TSize{wide, line}));
    EXPECT_EQ(MeasureCaption(canvas.Font()->Handle(), u"", 73, wrap), (TSize{0, 0}));
}

TEST(MeasureCaption, APushButtonOf130PixelsBreaksItsCaptionIn118)
{
    TCanvas canvas;
    UseTahoma(canvas);
    const String text = u"Открыть страницу загрузки проигрывателя";
    ASSERT_GT(canvas.TextWidth(text), 118);
    TSize size = MeasureCaption(canvas.Font()->Handle(), text, 130 - 2 * 6, CaptionFlags({taCenter, true, false, true}));
    EXPECT_LE(size.cx, 118);
    EXPECT_GE(size.cy, 2 * canvas.TextHeight(text));
}

TEST(CaptionFlags, CarryAlignmentWrappingAndReadingOrder)
{
    EXPECT_EQ(CaptionFlags({taLeftJustify, true, false, true}),
              platform::DT_LEFT | platform::DT_VCENTER | platform::DT_EXPANDTABS | platform::DT_WORDBREAK |
                  platform::DT_END_ELLIPSIS);
    EXPECT_EQ(CaptionFlags({taRightJustify, false, true, false}),
              platform::DT_RIGHT | platform::DT_VCENTER | platform::DT_EXPANDTABS | platform::DT_SINGLELINE |
                  platform::DT_RTLREADING);
}

TEST(PushButtonCaption, CentresWithAPixelToSpareAndKeepsTheFocusOffTheEdges)
{
    EXPECT_EQ(PushButtonCaptionRect(130, 25, TSize{60, 13}), (TRect{34, 6, 96, 19}));
    // A caption of two lines nearly fills the button; the focus outline still keeps 3 pixels free.
    TRect caption = PushButtonCaptionRect(130, 25, TSize{60, 26});
    EXPECT_EQ(caption, (TRect{34, 0, 96, 25}));
    EXPECT_EQ(PushButtonFocusRect(caption, 1, 25), (TRect{32, 3, 98, 22}));
    EXPECT_EQ(FocusRectAround(TRect{47, 12, 97, 25}, 1), (TRect{45, 11, 99, 26}));
}

TEST(DrawFocusDots, DotsEveryOtherPixelOfTheOutlineAtOddDistances)
{
    platform::Bitmap bmp(8, 7);
    const platform::PixelBGRA blank = platform::MakePixel(255, 255, 255);
    bmp.Fill(blank);
    const TRect r{1, 1, 6, 5};
    DrawFocusDots(bmp, r, platform::RGB(0, 0, 255));
    const platform::PixelBGRA dot = platform::MakePixel(0, 0, 255);
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const bool onOutline = r.Contains({x, y}) && (x == 1 || x == 5 || y == 1 || y == 4);
            const bool odd = (x - 1 + y - 1) % 2 == 1;
            EXPECT_EQ(bmp.Pixel(x, y), onOutline && odd ? dot : blank) << x << "," << y;
        }
    // The corner itself stays clear, the far corner (distance 4 + 3) is dotted.
    EXPECT_EQ(bmp.Pixel(1, 1), blank);
    EXPECT_EQ(bmp.Pixel(5, 4), dot);
}
