#include "platform/core/AsciiCase.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(AsciiCase, OnlyTheTwentySixLettersChangeCase)
{
    // Every UTF-16 unit, and every byte of a single-byte text (signed char included, where the
    // bytes above 127 are negative).
    for (unsigned u = 0; u <= 0xFFFF; ++u) {
        const char16_t c = char16_t(u);
        const bool lower = u >= 'a' && u <= 'z', upper = u >= 'A' && u <= 'Z';
        ASSERT_EQ(ToUpperAscii(c), lower ? char16_t(u - 32) : c) << u;
        ASSERT_EQ(ToLowerAscii(c), upper ? char16_t(u + 32) : c) << u;
        ASSERT_EQ(IsAsciiLetter(c), lower || upper) << u;
    }
    for (int b = -128; b < 128; ++b) {
        const char c = char(b);
        ASSERT_EQ(ToUpperAscii(c), b >= 'a' && b <= 'z' ? char(b - 32) : c) << b;
        ASSERT_EQ(ToLowerAscii(c), b >= 'A' && b <= 'Z' ? char(b + 32) : c) << b;
    }
    // Wider units that differ from a letter only above 16 bits are no letters.
    EXPECT_FALSE(IsAsciiLetter(char32_t(0x10041)));
    EXPECT_EQ(ToLowerAscii(char32_t(0x10041)), char32_t(0x10041));
}

TEST(AsciiCase, WholeStringsKeepEverythingButAsciiLetters)
{
    EXPECT_EQ(UpperAscii(u"Options.dat Ёж é"), u"OPTIONS.DAT Ёж é");
    EXPECT_EQ(LowerAscii(u"TForm1 ЁЖ É"), u"tform1 ЁЖ É");
    // Windows-1251 bytes ("Ёж" here) pass through as they are.
    EXPECT_EQ(UpperAscii(std::string_view("ab\xA8\xE6z")), "AB\xA8\xE6Z");
    EXPECT_EQ(LowerAscii(std::string_view("AB\xA8\xC6Z", 5)), "ab\xA8\xC6z");
    // Embedded nulls are characters like any other.
    EXPECT_EQ(LowerAscii(std::string_view("A\0B", 3)), std::string("a\0b", 3));
}

TEST(AsciiCase, SameTextIgnoresOnlyTheCaseOfAsciiLetters)
{
    EXPECT_TRUE(SameTextAscii("Sans Serif", "sans SERIF"));
    EXPECT_TRUE(SameTextAscii(u"Edit", u"EDIT"));
    EXPECT_TRUE(SameTextAscii("", ""));
    EXPECT_FALSE(SameTextAscii("Edit", "Edit2"));
    EXPECT_FALSE(SameTextAscii("Edit2", "Edit"));
    EXPECT_FALSE(SameTextAscii(u"ёж", u"ЁЖ"));
    EXPECT_FALSE(SameTextAscii(u"é", u"É"));
    // '@' and '`', '[' and '{' differ in the case bit only, but are no letters.
    EXPECT_FALSE(SameTextAscii("@[", "`{"));
    EXPECT_FALSE(SameTextAscii(std::string_view("a\0", 2), std::string_view("a", 1)));
}

} // namespace
} // namespace platform
