// Window regions and layered windows: what composition shows and what the mouse hits.
#include "WindowTestSupport.h"

namespace windowtest {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class ShapeTest : public WindowTest {
protected:
    std::map<HWND, COLORREF> colors_;
    void SetUp() override
    {
        WindowTest::SetUp();
        gHandler = [this](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (auto it = colors_.find(h); it != colors_.end())
                return FillOnPaint(h, msg, it->second);
            return std::nullopt;
        };
    }
    PixelBGRA Desktop() const { return Opaque(headless::Current().DesktopColor()); }
};

TEST_F(ShapeTest, ARegionCutsPaintingCompositionAndHitTesting)
{
    HWND below = Top(Bounds(0, 0, 200, 200));
    HWND shaped = Top(Bounds(300, 100, 100, 100));
    HWND lone = Top(Bounds(500, 100, 100, 100));
    colors_[below] = kBlue;
    colors_[shaped] = colors_[lone] = kRed;
    MoveWindow(below, 290, 90, 200, 200, true);
    // Everything but a 10 x 10 notch at the top-left corner.
    HRGN rgn = CreateRectRgn(0, 0, 100, 100);
    HRGN notch = CreateRectRgn(0, 0, 10, 10);
    CombineRgn(rgn, rgn, notch, RGN_DIFF);
    DeleteRgn(notch);
    EXPECT_EQ(SetWindowRgn(shaped, rgn, true), 1);
    SetWindowRgn(lone, CreateRoundRectRgn(0, 0, 100, 100, 40, 40), true);
    headless::ProcessMessages();

    EXPECT_EQ(ScreenPixel(302, 102), Opaque(kBlue)); // the window below shows through the notch
    EXPECT_EQ(ScreenPixel(312, 112), Opaque(kRed));
    EXPECT_EQ(ScreenPixel(500, 100), Desktop());      // the round corner shows the desktop
    EXPECT_EQ(ScreenPixel(550, 150), Opaque(kRed));
    EXPECT_EQ(WindowFromPoint(POINT{302, 102}), below);
    EXPECT_EQ(WindowFromPoint(POINT{312, 112}), shaped);
    EXPECT_EQ(WindowFromPoint(POINT{500, 100}), nullptr);

    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(copy, 5, 5));
    DeleteRgn(copy);

    // Removing the region paints what it had cut away.
    SetWindowRgn(shaped, nullptr, true);
    headless::ProcessMessages();
    EXPECT_EQ(ScreenPixel(302, 102), Opaque(kRed));
    EXPECT_EQ(WindowFromPoint(POINT{302, 102}), shaped);
}

TEST_F(ShapeTest, SettingTheSameRegionAgainRepaintsNothing)
{
    HWND parent = Top(Bounds(0, 0, 100, 100));
    HWND button = Child(parent, Bounds(10, 10, 40, 40));
    int paints = 0;
    gHandler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (h == button && msg == WM_PAINT) {
            ++paints;
            SetWindowRgn(h, CreateRoundRectRgn(0, 0, 40, 40, 8, 8), true);
            return FillOnPaint(h, msg, kRed);
        }
        return std::nullopt;
    };
    headless::ProcessMessages();
    headless::ProcessMessages();
    EXPECT_LE(paints, 2); // a paint handler setting its region does not paint forever
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), parent);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), button);
}

TEST_F(ShapeTest, LayeredWindowWithConstantAlpha)
{
    HWND h = Top(Bounds(0, 0, 50, 50), WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
    colors_[h] = kRed;
    headless::ProcessMessages();
    EXPECT_EQ(ScreenPixel(10, 10), Desktop()); // not shown before its attributes are set
    ASSERT_TRUE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
    headless::ProcessMessages();
    EXPECT_EQ(ScreenPixel(10, 10), BlendPremultiplied(Desktop(), Opaque(kRed), 128) | 0xFF000000u);
    COLORREF key;
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(h, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, LWA_ALPHA);
    EXPECT_FALSE(SetLayeredWindowAttributes(Top(Bounds(0, 0, 5, 5)), 0, 1, LWA_ALPHA)); // not layered
}

TEST_F(ShapeTest, UpdateLayeredWindowWithPerPixelAlpha)
{
    HWND below = Top(Bounds(0, 0, 300, 300));
    colors_[below] = kBlue;
    HWND glow = Top(Bounds(0, 0, 10, 10), WS_POPUP, WS_EX_LAYERED | WS_EX_NOACTIVATE);
    ShowWindow(glow, SW_SHOWNOACTIVATE);
    Bitmap picture(20, 10);
    picture.Fill(MakePixel(128, 0, 0, 128)); // red at half strength, premultiplied
    for (int y = 0; y < 10; ++y)
        picture.SetPixel(0, y, 0); // a transparent column
    HDC src = CreateBitmapDC(&picture);
    POINT at{100, 100}, from{0, 0};
    SIZE size{20, 10};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(glow, nullptr, &at, &size, src, &from, 0, &blend, ULW_ALPHA));
    DeleteDC(src);
    headless::ProcessMessages();
    RECT r;
    GetWindowRect(glow, &r);
    EXPECT_EQ(r, Bounds(100, 100, 20, 10));
    EXPECT_EQ(ScreenPixel(100, 105), Opaque(kBlue));
    EXPECT_EQ(ScreenPixel(105, 105), BlendPremultiplied(Opaque(kBlue), MakePixel(128, 0, 0, 128), 255) | 0xFF000000u);
    EXPECT_EQ(GetActiveWindow(), below);
    // Fully transparent pixels let the mouse through.
    EXPECT_EQ(WindowFromPoint(POINT{100, 105}), below);
    EXPECT_EQ(WindowFromPoint(POINT{105, 105}), glow);
    // Transparent to the mouse altogether.
    SetWindowLongPtr(glow, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE);
    EXPECT_EQ(WindowFromPoint(POINT{105, 105}), below);
    // A new constant alpha alone, without a new picture.
    BLENDFUNCTION faint{AC_SRC_OVER, 0, 0, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(glow, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &faint, ULW_ALPHA));
    headless::ProcessMessages();
    EXPECT_EQ(ScreenPixel(105, 105), Opaque(kBlue));
}

TEST_F(ShapeTest, HitTestTransparentPassesThePointOn)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    HWND under = Child(top, Bounds(0, 0, 50, 50));
    HWND over = Child(top, Bounds(0, 0, 50, 50));
    ASSERT_EQ(GetWindow(top, GW_CHILD), over);
    gHandler = [over](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (h == over && msg == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    };
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), under);
    EnableWindow(under, false); // a disabled child passes the mouse to its parent
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), top);
    headless::Click(POINT{10, 10});
    headless::ProcessMessages();
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Count(under, WM_LBUTTONDOWN), 0);
}

TEST_F(ShapeTest, ScreenshotsOfTheScreenAndOfOneWindow)
{
    HWND h = Top(Bounds(10, 10, 30, 20));
    colors_[h] = kRed;
    HWND cover = Top(Bounds(0, 0, 20, 20));
    colors_[cover] = kBlue;
    headless::ProcessMessages();
    Bitmap shot = headless::WindowShot(h);
    ASSERT_EQ(shot.Width(), 30);
    ASSERT_EQ(shot.Height(), 20);
    EXPECT_EQ(shot.Pixel(0, 0) | 0xFF000000u, Opaque(kRed)); // unobscured, unlike the screen
    EXPECT_EQ(ScreenPixel(10, 10), Opaque(kBlue));
    EXPECT_EQ(headless::Screenshot().Width(), 1280);
    EXPECT_EQ(headless::Screenshot().Height(), 1024);
}

} // namespace
} // namespace windowtest
