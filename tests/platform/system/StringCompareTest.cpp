// Comparing names without regard to case, whatever the process's locale.
#include "platform/system/StringCompare.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(StringCompare, FoldsLatinAndCyrillicLetters)
{
    EXPECT_TRUE(SameTextOrdinal(u"useSkin", u"USESKIN"));
    EXPECT_TRUE(SameTextOrdinal(u"Настройки прокси", u"НАСТРОЙКИ ПРОКСИ"));
    EXPECT_TRUE(SameTextOrdinal(u"ёлка", u"ЁЛКА"));
    EXPECT_TRUE(SameTextOrdinal(u"ґанок їжак є і ў", u"ҐАНОК ЇЖАК Є І Ў"));
    EXPECT_TRUE(SameTextOrdinal(u"über façade ÿ", u"ÜBER FAÇADE Ÿ"));
    EXPECT_TRUE(SameTextOrdinal(u"łódź", u"ŁÓDŹ"));
    EXPECT_TRUE(SameTextOrdinal(u"αβγ σς", u"ΑΒΓ ΣΣ"));
    EXPECT_TRUE(SameTextOrdinal(u"ӂӏ", u"ӁӀ"));
    EXPECT_FALSE(SameTextOrdinal(u"е", u"Ё"));
    EXPECT_FALSE(SameTextOrdinal(u"a", u"a "));
    // Signs that merely sit next to letters in the tables stay as they are.
    EXPECT_FALSE(SameTextOrdinal(u"÷", u"×"));
    EXPECT_FALSE(SameTextOrdinal(u"[", u"{"));
}

TEST(StringCompare, OrdersByUpperCasedUnitsThenByLength)
{
    EXPECT_EQ(CompareStringOrdinal(u"abc", u"ABD", true), CSTR_LESS_THAN);
    EXPECT_EQ(CompareStringOrdinal(u"abc", u"ABD", false), CSTR_GREATER_THAN);
    EXPECT_EQ(CompareStringOrdinal(u"Zest", u"zest (internal)", true), CSTR_LESS_THAN);
    EXPECT_EQ(CompareStringOrdinal(u"б", u"А", true), CSTR_GREATER_THAN);
    EXPECT_EQ(CompareStringOrdinal(u"", u"", true), CSTR_EQUAL);
}

} // namespace
