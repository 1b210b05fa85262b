#include "platform/frame/SystemMetrics.h"

#include "platform/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(SystemColors, ClassicLightSchemeWithColourValuesRedInTheLowByte)
{
    ResetSysColors();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0xF0F0F0u);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0x000000u);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), 0xD77800u);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), 0xFFFFFFu);
    // Light over dark, in the order the 3-D edges need them.
    auto luma = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    EXPECT_GT(luma(GetSysColor(COLOR_BTNHIGHLIGHT)), luma(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_GT(luma(GetSysColor(COLOR_3DLIGHT)), luma(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_GT(luma(GetSysColor(COLOR_BTNSHADOW)), luma(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_NE(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(SYSCOLOR_COUNT), 0u);
}

TEST(SystemColors, SetSysColorsChangesOnlyValidEntriesAndResetRestores)
{
    const COLORREF before = GetSysColor(COLOR_BTNFACE);
    const int indexes[] = {COLOR_BTNFACE, 99, -5};
    const COLORREF colors[] = {0xFF123456, 0x111111, 0x222222};
    EXPECT_TRUE(SetSysColors(3, indexes, colors));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0x123456u); // no bits above the colour
    EXPECT_FALSE(SetSysColors(2, nullptr, colors));
    EXPECT_FALSE(SetSysColors(-1, indexes, colors));
    ResetSysColors();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), before);
}

TEST(SystemMetrics, ScreenMetricsFollowTheBackend)
{
    HeadlessOptions options;
    options.screen = SIZE{800, 600};
    options.workArea = Rect(0, 0, 800, 560);
    headless::Reset(options);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 560 - GetSystemMetrics(SM_CYCAPTION));
    headless::Reset();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
}

TEST(SystemMetrics, FrameMetricsAreConsistent)
{
    EXPECT_GT(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CXFIXEDFRAME));
    EXPECT_GT(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_LT(GetSystemMetrics(SM_CYSIZE), GetSystemMetrics(SM_CYCAPTION));
    EXPECT_LT(GetSystemMetrics(SM_CYSMCAPTION), GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_GT(GetSystemMetrics(SM_CXDOUBLECLK), 0);
    EXPECT_GE(GetSystemMetrics(SM_CYMIN), GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME));
    EXPECT_EQ(GetSystemMetrics(-7), 0);
    EXPECT_EQ(GetSystemMetrics(10000), 0);
}
