#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;
using test::Mismatches;

struct DcDeleter {
    void operator()(DeviceContext* dc) const { DeleteDC(dc); }
};
using DcPtr = std::unique_ptr<DeviceContext, DcDeleter>;

std::vector<RECT> VisibleParts(HDC dc, const RECT& r)
{
    std::vector<RECT> parts;
    ForEachVisibleRect(dc, r, [&parts](const RECT& d) { parts.push_back(d); });
    return parts;
}

TEST(DeviceContextTest, VisibleRectsAreClippedToTargetAndShiftedByOrigin)
{
    Bitmap b = MakeCanvas();
    DcPtr dc(CreateBitmapDC(&b));
    EXPECT_EQ(VisibleParts(dc.get(), Rect(-5, 2, 3, 40)), std::vector<RECT>{Rect(0, 2, 3, 10)});
    EXPECT_TRUE(VisibleParts(dc.get(), Rect(3, 3, 3, 8)).empty());
    EXPECT_TRUE(VisibleParts(dc.get(), Rect(10, 0, 20, 10)).empty());

    POINT previous{};
    EXPECT_TRUE(SetViewportOrgEx(dc.get(), 4, -2, &previous));
    EXPECT_EQ(previous, (POINT{0, 0}));
    EXPECT_EQ(VisibleParts(dc.get(), Rect(0, 0, 3, 5)), std::vector<RECT>{Rect(4, 0, 7, 3)});
    EXPECT_TRUE(OffsetViewportOrgEx(dc.get(), 1, 1, &previous));
    EXPECT_EQ(previous, (POINT{4, -2}));
    POINT origin{};
    EXPECT_TRUE(GetViewportOrgEx(dc.get(), &origin));
    EXPECT_EQ(origin, (POINT{5, -1}));

    // Logical rectangles at the ends of the range neither wrap nor reach pixels they should not.
    EXPECT_EQ(VisibleParts(dc.get(), Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)), std::vector<RECT>{Rect(0, 0, 10, 10)});
    SetViewportOrgEx(dc.get(), INT_MAX, INT_MAX, nullptr);
    EXPECT_TRUE(VisibleParts(dc.get(), Rect(0, 0, INT_MAX, INT_MAX)).empty());
    EXPECT_EQ(VisibleParts(dc.get(), Rect(INT_MIN, INT_MIN, INT_MIN + 3, INT_MIN + 3)), std::vector<RECT>{Rect(0, 0, 2, 2)});
}

TEST(DeviceContextTest, ClipRegionIsInDeviceCoordinatesAndClipRectsInLogical)
{
    Bitmap b = MakeCanvas();
    DcPtr dc(CreateBitmapDC(&b));
    SetViewportOrgEx(dc.get(), 2, 3, nullptr);

    HRGN rgn = CreateRectRgn(0, 0, 5, 5); // device pixels 0..4, whatever the origin
    EXPECT_EQ(SelectClipRgn(dc.get(), rgn), SIMPLEREGION);
    DeleteRgn(rgn); // the DC keeps its own copy
    RECT box{};
    EXPECT_EQ(GetClipBox(dc.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(-2, -3, 3, 2));

    // Logical (1, 0)-(10, 1) is device (3, 3)-(12, 4).
    EXPECT_EQ(IntersectClipRect(dc.get(), 1, 0, 10, 1), SIMPLEREGION);
    EXPECT_EQ(VisibleParts(dc.get(), Rect(-100, -100, 100, 100)), std::vector<RECT>{Rect(3, 3, 5, 4)});
    EXPECT_EQ(ExcludeClipRect(dc.get(), 1, 0, 2, 1), SIMPLEREGION);
    EXPECT_EQ(VisibleParts(dc.get(), Rect(-100, -100, 100, 100)), std::vector<RECT>{Rect(4, 3, 5, 4)});
    EXPECT_EQ(ExcludeClipRect(dc.get(), -50, -50, 50, 50), NULLREGION);
    EXPECT_EQ(GetClipBox(dc.get(), &box), NULLREGION);
    EXPECT_FALSE(RectVisible(dc.get(), Rect(-100, -100, 100, 100)));

    EXPECT_EQ(SelectClipRgn(dc.get(), nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipBox(dc.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(-2, -3, 8, 7));

    // Excluding a middle piece from the whole target leaves a frame: four parts through a row.
    EXPECT_EQ(ExcludeClipRect(dc.get(), 0, 0, 4, 4), COMPLEXREGION);
    EXPECT_EQ(VisibleParts(dc.get(), Rect(-2, 0, 8, 2)), (std::vector<RECT>{Rect(0, 3, 2, 5), Rect(6, 3, 10, 5)}));
    EXPECT_TRUE(RectVisible(dc.get(), Rect(3, 3, 5, 5)));
    EXPECT_FALSE(RectVisible(dc.get(), Rect(0, 0, 4, 4)));
    EXPECT_FALSE(RectVisible(dc.get(), Rect(1, 1, 1, 3)));
}

TEST(DeviceContextTest, DrawingHonoursAComplexClip)
{
    Bitmap b = MakeCanvas();
    DcPtr dc(CreateBitmapDC(&b));
    Region clip = Region::FromRects({Rect(0, 0, 3, 3), Rect(6, 6, 10, 10)});
    SelectClipRgn(dc.get(), &clip);
    SetViewportOrgEx(dc.get(), 1, 1, nullptr);
    FillSolidRect(dc.get(), Rect(0, 0, 7, 7), RGB(9, 8, 7)); // device (1,1)-(8,8)
    const PixelBGRA fill = MakePixel(9, 8, 7);
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        bool inFill = x >= 1 && x < 8 && y >= 1 && y < 8;
        return inFill && clip.Contains(POINT{x, y}) ? fill : Background;
    }), "");
}

TEST(DeviceContextTest, SaveAndRestoreLevels)
{
    Bitmap b = MakeCanvas();
    DcPtr dc(CreateBitmapDC(&b));
    EXPECT_FALSE(RestoreDC(dc.get(), -1)); // nothing saved

    SetTextColor(dc.get(), RGB(1, 1, 1));
    EXPECT_EQ(SaveDC(dc.get()), 1);
    SetViewportOrgEx(dc.get(), 5, 5, nullptr);
    IntersectClipRect(dc.get(), 0, 0, 2, 2);
    EXPECT_EQ(SetTextColor(dc.get(), RGB(2, 2, 2)), RGB(1, 1, 1));
    EXPECT_EQ(SetBkMode(dc.get(), TRANSPARENT), OPAQUE);
    EXPECT_EQ(SaveDC(dc.get()), 2);
    SetViewportOrgEx(dc.get(), 7, 7, nullptr);
    SetBkColor(dc.get(), RGB(3, 3, 3));
    EXPECT_EQ(SaveDC(dc.get()), 3);
    SelectClipRgn(dc.get(), nullptr);

    EXPECT_TRUE(RestoreDC(dc.get(), -1)); // back to level 3's state
    EXPECT_EQ(dc->origin, (POINT{7, 7}));
    ASSERT_TRUE(dc->clip);
    EXPECT_EQ(dc->saved.size(), 2u);

    EXPECT_FALSE(RestoreDC(dc.get(), 3)); // already gone
    EXPECT_FALSE(RestoreDC(dc.get(), -3));
    EXPECT_TRUE(RestoreDC(dc.get(), 1)); // drops level 2 as well
    EXPECT_EQ(dc->origin, (POINT{0, 0}));
    EXPECT_FALSE(dc->clip);
    EXPECT_EQ(dc->textColor, RGB(1, 1, 1));
    EXPECT_EQ(dc->bkMode, OPAQUE);
    EXPECT_EQ(dc->bkColor, COLORREF(0xFFFFFF));
    EXPECT_TRUE(dc->saved.empty());
    EXPECT_FALSE(RestoreDC(dc.get(), 0));
}

TEST(DeviceContextTest, NullArgumentsAreRefused)
{
    EXPECT_EQ(SaveDC(nullptr), 0);
    EXPECT_FALSE(SetViewportOrgEx(nullptr, 1, 1, nullptr));
    EXPECT_EQ(SelectClipRgn(nullptr, nullptr), ERROR_REGION);
    EXPECT_EQ(GetClipBox(nullptr, nullptr), ERROR_REGION);
    EXPECT_FALSE(RectVisible(nullptr, Rect(0, 0, 1, 1)));
    DcPtr noTarget(CreateBitmapDC(nullptr));
    FillSolidRect(noTarget.get(), Rect(0, 0, 5, 5), 0);
    EXPECT_TRUE(VisibleParts(noTarget.get(), Rect(0, 0, 5, 5)).empty());
    HFONT font = reinterpret_cast<HFONT>(0x10);
    EXPECT_EQ(SelectFont(noTarget.get(), font), nullptr);
    EXPECT_EQ(SelectFont(noTarget.get(), nullptr), font);
}

} // namespace
} // namespace platform
