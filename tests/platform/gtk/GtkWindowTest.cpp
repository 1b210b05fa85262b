// Real windows on a private X server: what they show, real mouse and keyboard input, dragging by
// the caption, shaped and top-most windows, and how the program chooses its backend.
#include "GtkTestSupport.h"

#include "platform/system/Clipboard.h"
#include "platform/graphics/Region.h"
#include "platform/core/Screen.h"
#include "platform/text/Text.h"

namespace gtktest {
namespace {

constexpr DWORD kFramed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;

void PaintSample(HWND, HDC dc)
{
    FillSolidRect(dc, RECT{10, 10, 90, 60}, RGB(200, 40, 40));
    DrawLine(dc, POINT{0, 0}, POINT{200, 120}, RGB(0, 0, 128));
    TRIVERTEX v[2] = {{100, 10, 0xFF00, 0x0000, 0x0000, 0}, {260, 60, 0x0000, 0x0000, 0xFF00, 0}};
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOut(dc, 12, 80, u"Съешь ещё этих мягких булок");
}

HWND ShowSample()
{
    gPaint = PaintSample;
    HWND h = MakeWindow(u"Test", RECT{120, 90, 420, 290}, kFramed);
    SetActiveWindow(h);
    UpdateWindow(h);
    return h;
}

int CountDifferences(const Bitmap& a, const Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF))
                ++n;
    return n;
}

using GtkWindowTest = GtkTest;

TEST_F(GtkWindowTest, AWindowOnScreenIsPixelIdenticalToTheVirtualScreensPicture)
{
    HWND h = ShowSample();
    ASSERT_TRUE(h);
    RECT wr;
    GetWindowRect(h, &wr);
    Bitmap shown;
    // The X server shows it once the window is mapped and drawn.
    PumpUntil([&] {
        shown = gtk::GrabScreen(wr);
        return !shown.IsEmpty() && PixelToColor(shown.Pixel(50, 60)) == RGB(200, 40, 40);
    });
    Pump(200);
    shown = gtk::GrabScreen(wr);
    bool active = GetActiveWindow() == h;

    headless::Reset();
    RegisterTestClasses();
    HWND v = ShowSample();
    if (!active)
        SetActiveWindow(nullptr);
    headless::ProcessMessages();
    Bitmap expected = headless::WindowShot(v);
    EXPECT_EQ(CountDifferences(shown, expected), 0);
}

TEST_F(GtkWindowTest, ARealClickAndTypedRussianTextReachTheWindow)
{
    HWND h = MakeWindow(u"Test", RECT{200, 150, 500, 350});
    ASSERT_TRUE(h);
    SetFocus(h);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(300, 250) == RGB(255, 255, 255); }));
    ASSERT_EQ(Xdotool("mousemove 250 180 click 1"), 0);
    std::optional<Entry> down;
    ASSERT_TRUE(PumpUntil([&] {
        for (const Entry& e : gLog)
            if (e.hwnd == h && e.msg == WM_LBUTTONDOWN)
                down = e;
        return down.has_value();
    }));
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 50);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 30);
    EXPECT_TRUE(PumpUntil([&] {
        auto m = Messages(h);
        return std::find(m.begin(), m.end(), WM_LBUTTONUP) != m.end();
    }));

    SetFocus(h);
    // A keyboard with a Russian layout beside the US one, as a Russian user has it: the letters
    // come from real keys of the second group.
    ASSERT_EQ(std::system("setxkbmap -layout us,ru >/dev/null 2>&1"), 0);
    Pump(200);
    ASSERT_EQ(Xdotool("type --delay 30 'Привет, мир'"), 0);
    String typed;
    PumpUntil([&] {
        typed.clear();
        for (const Entry& e : gLog)
            if (e.hwnd == h && e.msg == WM_CHAR)
                typed += char16_t(e.wParam);
        return typed.size() >= 11;
    });
    EXPECT_EQ(Utf16ToUtf8(typed), "Привет, мир");
    // Every character came with a key press before it.
    auto m = Messages(h);
    EXPECT_GE(std::count(m.begin(), m.end(), WM_KEYDOWN), 11);
}

TEST_F(GtkWindowTest, ARealDoubleClickAndTheWheelArriveAsOnWindows)
{
    HWND h = MakeWindow(u"Test", RECT{200, 150, 500, 350});
    ASSERT_TRUE(h);
    SetFocus(h);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(300, 250) == RGB(255, 255, 255); }));
    ASSERT_EQ(Xdotool("mousemove 300 250 click --repeat 2 --delay 80 1"), 0);
    std::vector<UINT> clicks;
    PumpUntil([&] {
        clicks.clear();
        for (const Entry& e : gLog)
            if (e.hwnd == h && e.msg >= WM_LBUTTONDOWN && e.msg <= WM_LBUTTONDBLCLK)
                clicks.push_back(e.msg);
        return clicks.size() >= 4;
    });
    EXPECT_EQ(clicks, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));

    ASSERT_EQ(Xdotool("click 4"), 0); // the wheel turned away from the user
    ASSERT_EQ(Xdotool("click 5"), 0);
    std::vector<int> turns;
    PumpUntil([&] {
        turns.clear();
        for (const Entry& e : gLog)
            if (e.hwnd == h && e.msg == WM_MOUSEWHEEL)
                turns.push_back(short(HIWORD(e.wParam)));
        return turns.size() >= 2;
    });
    EXPECT_EQ(turns, (std::vector<int>{WHEEL_DELTA, -WHEEL_DELTA}));
}

TEST_F(GtkWindowTest, TheMouseCaptureGetsClicksOutsideEveryWindowUntilReleased)
{
    HWND h = MakeWindow(u"Test", RECT{200, 150, 500, 350});
    ASSERT_TRUE(h);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(300, 250) == RGB(255, 255, 255); }));
    SetCapture(h);
    Pump(100);
    Xdotool("mousemove 1000 900 click 1");
    std::optional<Entry> down;
    EXPECT_TRUE(PumpUntil([&] {
        for (const Entry& e : gLog)
            if (e.hwnd == h && e.msg == WM_LBUTTONDOWN)
                down = e;
        return down.has_value();
    }));
    if (down) {
        EXPECT_EQ(GET_X_LPARAM(down->lParam), 800);
        EXPECT_EQ(GET_Y_LPARAM(down->lParam), 750);
    }
    ReleaseCapture();
    Pump(100);
    gLog.clear();
    Xdotool("mousemove 1010 910 click 1");
    Pump(300);
    auto m = Messages(h);
    EXPECT_EQ(std::count(m.begin(), m.end(), WM_LBUTTONDOWN), 0);
}

TEST_F(GtkWindowTest, ClickingFromOneWindowToAnotherKeepsTheProgramActive)
{
    HWND a = MakeWindow(u"Red", RECT{100, 100, 300, 300});
    HWND b = MakeWindow(u"Blue", RECT{400, 100, 600, 300});
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(500, 200) == RGB(0, 0, 255); }));
    Xdotool("mousemove 200 200 click 1");
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == a; }));
    Pump(200);
    gLog.clear();
    Xdotool("mousemove 500 200 click 1");
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == b; }));
    Pump(300);
    EXPECT_EQ(GetActiveWindow(), b);
    for (const Entry& e : gLog)
        EXPECT_FALSE(e.msg == WM_ACTIVATEAPP && e.wParam == 0) << "the program was deactivated on the way";
}

TEST_F(GtkWindowTest, AWindowMovesWhenDraggedByItsCaption)
{
    HWND h = MakeWindow(u"Blue", RECT{100, 100, 400, 300}, kFramed);
    ASSERT_TRUE(h);
    RECT before;
    GetWindowRect(h, &before);
    RECT client;
    GetClientRect(h, &client);
    POINT inside{client.right / 2, client.bottom / 2};
    ClientToScreen(h, &inside);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(inside.x, inside.y) == RGB(0, 0, 255); }));

    POINT caption{before.left + 100, before.top + 10};
    ASSERT_EQ(Xdotool("mousemove " + std::to_string(caption.x) + " " + std::to_string(caption.y) + " mousedown 1"), 0);
    Pump(100);
    for (int step = 1; step <= 4; ++step) {
        Xdotool("mousemove " + std::to_string(caption.x + 20 * step) + " " + std::to_string(caption.y + 15 * step));
        Pump(60);
    }
    ASSERT_EQ(Xdotool("mouseup 1"), 0);
    RECT after{};
    PumpUntil([&] {
        GetWindowRect(h, &after);
        return after.left == before.left + 80 && after.top == before.top + 60;
    });
    EXPECT_EQ(after.left, before.left + 80);
    EXPECT_EQ(after.top, before.top + 60);
    // The X server shows it there: its client area at the new place, the bare screen where the
    // top-left of the old place was uncovered.
    POINT moved{inside.x + 80, inside.y + 60};
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(moved.x, moved.y) == RGB(0, 0, 255); }));
    EXPECT_NE(ScreenPixel(before.left + 20, before.top + 20), RGB(0, 0, 255));
}

TEST_F(GtkWindowTest, AShapedWindowsCutOutCornersShowWhatLiesBehindIt)
{
    HWND back = MakeWindow(u"Red", RECT{300, 300, 500, 500});
    HWND front = MakeWindow(u"Green", RECT{300, 300, 500, 500});
    ASSERT_TRUE(back && front);
    Region shape(RECT{0, 0, 200, 200});
    for (RECT corner : {RECT{0, 0, 30, 30}, RECT{170, 0, 200, 30}, RECT{0, 170, 30, 200}, RECT{170, 170, 200, 200}})
        shape = shape.Subtracted(Region(corner));
    SetWindowRgn(front, new Region(shape), true);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(400, 400) == RGB(0, 160, 0); }));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(305, 305) == RGB(255, 0, 0); }));
    EXPECT_EQ(ScreenPixel(495, 305), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(305, 495), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(495, 495), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(335, 305), RGB(0, 160, 0));

    // Without its region the whole rectangle is the window again.
    SetWindowRgn(front, nullptr, true);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(305, 305) == RGB(0, 160, 0); }));
}

TEST_F(GtkWindowTest, ATopMostWindowStaysAboveANormalOne)
{
    HWND top = MakeWindow(u"Blue", RECT{100, 500, 300, 700}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    HWND normal = MakeWindow(u"Yellow", RECT{200, 600, 400, 800});
    ASSERT_TRUE(top && normal);
    SetWindowPos(normal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(normal);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(350, 750) == RGB(255, 255, 0); }));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(250, 650) == RGB(0, 0, 255); }));
    // A click on the normal window activates it and still does not lift it over the top-most one.
    Xdotool("mousemove 350 750 click 1");
    Pump(300);
    EXPECT_EQ(ScreenPixel(250, 650), RGB(0, 0, 255));

    // Out of the top-most band it goes below the window brought to the top.
    SetWindowPos(top, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(normal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(250, 650) == RGB(255, 255, 0); }));
}

TEST_F(GtkWindowTest, ALayeredWindowWithConstantAlphaIsShownWithoutACompositor)
{
    HWND h = MakeWindow(u"Blue", RECT{600, 100, 800, 300}, WS_POPUP, WS_EX_LAYERED);
    ASSERT_TRUE(h);
    ASSERT_TRUE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
    ShowWindow(h, SW_SHOWNOACTIVATE);
    // Without a compositor it is drawn opaque: its premultiplied colour over black.
    EXPECT_TRUE(PumpUntil([] {
        COLORREF c = ScreenPixel(700, 200);
        return GetRValue(c) == 0 && GetGValue(c) == 0 && GetBValue(c) >= 126 && GetBValue(c) <= 130;
    }));
    // So the program must not count on per-pixel alpha here (a glow would be a dark box).
    EXPECT_FALSE(LayeredWindowsAvailable());
}

TEST_F(GtkWindowTest, HidingAndShowingAWindowTakesItOffAndBackOnTheScreen)
{
    HWND h = MakeWindow(u"Red", RECT{900, 600, 1000, 700});
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(950, 650) == RGB(255, 0, 0); }));
    ShowWindow(h, SW_HIDE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(950, 650) != RGB(255, 0, 0); }));
    ShowWindow(h, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(950, 650) == RGB(255, 0, 0); }));
    DestroyWindow(h);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(950, 650) != RGB(255, 0, 0); }));
}

TEST_F(GtkWindowTest, APaintedChangeReachesTheScreenAtOnce)
{
    COLORREF color = RGB(255, 0, 0);
    gPaint = [&](HWND, HDC dc) { FillSolidRect(dc, RECT{0, 0, 100, 100}, color); };
    HWND h = MakeWindow(u"Test", RECT{700, 400, 800, 500});
    ASSERT_TRUE(h);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(750, 450) == RGB(255, 0, 0); }));
    for (COLORREF next : {RGB(0, 0, 255), RGB(0, 200, 0), RGB(10, 20, 30)}) {
        color = next;
        InvalidateRect(h, nullptr, false);
        UpdateWindow(h);
        // Presented with the paint itself, not at the next expose.
        Pump(1);
        EXPECT_EQ(ScreenPixel(750, 450), next);
    }
}

TEST_F(GtkWindowTest, AMinimisedWindowLeavesTheScreenAndComesBackWhenRestored)
{
    HWND h = MakeWindow(u"Red", RECT{900, 100, 1000, 200}, kFramed);
    ASSERT_TRUE(h);
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(950, 170) == RGB(255, 0, 0); }));
    ShowWindow(h, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(950, 170) != RGB(255, 0, 0); }));
    ShowWindow(h, SW_RESTORE);
    EXPECT_FALSE(IsIconic(h));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(950, 170) == RGB(255, 0, 0); }));
}

TEST_F(GtkWindowTest, TextGoesThroughTheDisplaysClipboard)
{
    HWND h = MakeWindow(u"Test", RECT{10, 10, 60, 60});
    ASSERT_TRUE(h);
    Pump(100);
    SetClipboardText(u"Прямой эфир: 1+1");
    Pump(100);
    EXPECT_EQ(GetClipboardText(), u"Прямой эфир: 1+1");
    SetClipboardText(u"");
    EXPECT_EQ(GetClipboardText(), u"");
}

TEST_F(GtkWindowTest, TheScreenIsTheDisplaysScreen)
{
    SIZE size = GetScreenSize();
    EXPECT_EQ(size.cx, 1280);
    EXPECT_EQ(size.cy, 1024);
    RECT work = GetWorkArea();
    EXPECT_FALSE(work.IsEmpty());
}

} // namespace
} // namespace gtktest
