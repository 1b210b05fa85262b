#include "platform/text/Utf16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace {

std::u32string DecodeAll(std::u16string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();)
        out.push_back(DecodeUtf16(text, i));
    return out;
}

TEST(Utf16, EveryCodePointSurvivesTheRoundTrip)
{
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (IsSurrogate(cp))
            continue;
        std::u16string units;
        AppendUtf16(units, cp);
        ASSERT_EQ(units.size(), cp < 0x10000 ? 1u : 2u) << std::hex << unsigned(cp);
        std::size_t i = 0;
        ASSERT_EQ(DecodeUtf16(units, i), cp) << std::hex << unsigned(cp);
        ASSERT_EQ(i, units.size());
    }
    // The units the standard gives for the ends of the supplementary planes.
    std::u16string edges;
    AppendUtf16(edges, 0x10000);
    AppendUtf16(edges, 0x10FFFF);
    EXPECT_EQ(edges, (std::u16string{0xD800, 0xDC00, 0xDBFF, 0xDFFF}));
}

TEST(Utf16, SurrogatesWithoutTheirPartnerBecomeReplacementCharacters)
{
    const char32_t R = ReplacementCharacter;
    EXPECT_EQ(DecodeAll(u"a\U0001F600b"), U"a\U0001F600b");
    // A high surrogate at the end, before a non-surrogate, or before another high one.
    EXPECT_EQ(DecodeAll(std::u16string{u'a', 0xD83D}), (std::u32string{U'a', R}));
    EXPECT_EQ(DecodeAll(std::u16string{0xD83D, u'x'}), (std::u32string{R, U'x'}));
    EXPECT_EQ(DecodeAll(std::u16string{0xD83D, 0xD83D, 0xDE00}), (std::u32string{R, 0x1F600}));
    // A low surrogate alone, and a pair in the wrong order: both halves lost, nothing swallowed.
    EXPECT_EQ(DecodeAll(std::u16string{0xDE00, u'y'}), (std::u32string{R, U'y'}));
    EXPECT_EQ(DecodeAll(std::u16string{0xDE00, 0xD83D}), (std::u32string{R, R}));
    // Next to the surrogate range, ordinary characters.
    EXPECT_EQ(DecodeAll(std::u16string{0xD7FF, 0xE000, 0xFFFF}), (std::u32string{0xD7FF, 0xE000, 0xFFFF}));
}

TEST(Utf16, ReadsUnitsOfAnyUnsignedSixteenBitType)
{
    // The engine library's strings are unsigned 16-bit integers rather than char16_t; the count
    // bounds the read even where the text goes on.
    const std::uint16_t units[] = {0xD83D, 0xDE00, 0xD83D, 0xDE00};
    std::size_t i = 0;
    EXPECT_EQ(DecodeUtf16(units, 3, i), char32_t(0x1F600));
    EXPECT_EQ(DecodeUtf16(units, 3, i), ReplacementCharacter);
    EXPECT_EQ(i, 3u);
    std::vector<std::uint16_t> out;
    AppendUtf16(out, 0x1F600);
    EXPECT_EQ(out, (std::vector<std::uint16_t>{0xD83D, 0xDE00}));
}

} // namespace
} // namespace platform
