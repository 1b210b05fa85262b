#include "platform/core/Bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform;

TEST(Bitmap, RefusesAbsurdSizesBeforeAllocating)
{
    EXPECT_THROW(Bitmap(-1, 10), std::length_error);
    EXPECT_THROW(Bitmap(Bitmap::MaxSide + 1, 1), std::length_error);
    EXPECT_THROW(Bitmap(20000, 20000), std::length_error);
    Bitmap empty(0, 5);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(Bitmap, CopiesAreDeepAndCompareByPixels)
{
    Bitmap a(3, 2);
    a.Fill(MakePixel(1, 2, 3, 4));
    Bitmap b = a;
    EXPECT_EQ(a, b);
    b.SetPixel(2, 1, MakePixel(9, 9, 9));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.Pixel(2, 1), MakePixel(1, 2, 3, 4));
    EXPECT_EQ(PixelR(a.Pixel(0, 0)), 1);
    EXPECT_EQ(PixelA(a.Pixel(0, 0)), 4);
}

TEST(Unicode, RoundTripsAndReplacesBrokenSequences)
{
    String russian = u"Сохранить настройки";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(russian)), russian);
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), String(u"\U0001F600"));
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), String(u"a\uFFFD"));
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), String(u"\uFFFD\uFFFD"));
    EXPECT_EQ(Utf16ToUtf8(String(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
