#include "platform/frame/DefaultFrame.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/image/Image.h"
#include "platform/frame/SystemMetrics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr PixelBGRA kMarker = MakePixel(1, 254, 3);

FrameInfo Info(DWORD style, DWORD exStyle, RECT windowRect, bool active = true)
{
    FrameInfo info;
    info.style = style;
    info.exStyle = exStyle;
    info.windowRect = windowRect;
    info.caption = u"Настройки";
    info.active = active;
    return info;
}

// Paints the frame into a bitmap of the window's size filled with the marker.
Bitmap PaintFrame(const FrameInfo& info)
{
    Bitmap b(info.windowRect.Width(), info.windowRect.Height());
    b.Fill(kMarker);
    HDC dc = CreateBitmapDC(&b);
    DefaultFrame(info).Paint(dc);
    DeleteDC(dc);
    return b;
}

int Luminance(PixelBGRA p) { return PixelR(p) * 3 + PixelG(p) * 6 + PixelB(p); }

int CountPixels(const Bitmap& b, const RECT& r, PixelBGRA p)
{
    int n = 0;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            n += b.Pixel(x, y) == p;
    return n;
}

struct Scoped {
    ~Scoped() { ResetSysColors(); }
};

} // namespace

TEST(DefaultFramePaint, PaintsTheWholeFrameAndNothingOfTheClientArea)
{
    struct Case {
        DWORD style, exStyle;
    };
    const std::vector<Case> cases = {
        {WS_OVERLAPPEDWINDOW, 0},           {WS_CAPTION | WS_SYSMENU, 0},
        {WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP}, {WS_POPUPWINDOW, 0},
        {WS_POPUP | WS_THICKFRAME, 0},      {WS_CHILD, WS_EX_CLIENTEDGE},
        {WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE}, {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
        {WS_CHILD, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "style 0x" << c.style << " ex 0x" << c.exStyle);
        const RECT w = Bounds(300, 200, 180, 120);
        Bitmap b = PaintFrame(Info(c.style, c.exStyle, w));
        RECT client = DefaultFrame(Info(c.style, c.exStyle, w)).ClientRect();
        OffsetRect(&client, -w.left, -w.top);
        int untouchedOutside = 0, touchedInside = 0;
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x) {
                bool inside = client.Contains(POINT{x, y});
                bool marker = b.Pixel(x, y) == kMarker;
                untouchedOutside += !inside && marker;
                touchedInside += inside && !marker;
            }
        }
        EXPECT_EQ(touchedInside, 0);
        EXPECT_EQ(untouchedOutside, 0);
    }
}

TEST(DefaultFramePaint, PaintsAtTheDcOriginAndLeavesTheRestOfTheTarget)
{
    // A window DC inside a bigger picture, as the window system hands it out.
    Bitmap screen(200, 150);
    screen.Fill(kMarker);
    HDC dc = CreateBitmapDC(&screen);
    SetViewportOrgEx(dc, 20, 30, nullptr);
    const FrameInfo info = Info(WS_OVERLAPPEDWINDOW, 0, Bounds(500, 400, 120, 80));
    DefaultFrame(info).Paint(dc);
    DeleteDC(dc);
    const RECT window = Bounds(20, 30, 120, 80);
    RECT client = DefaultFrame(info).ClientRect();
    OffsetRect(&client, 20 - 500, 30 - 400);
    for (int y = 0; y < screen.Height(); ++y) {
        for (int x = 0; x < screen.Width(); ++x) {
            const POINT p{x, y};
            const bool frame = window.Contains(p) && !client.Contains(p);
            ASSERT_EQ(screen.Pixel(x, y) != kMarker, frame) << x << "," << y;
        }
    }
}

TEST(DefaultFramePaint, CaptionUsesTheActiveOrInactiveColours)
{
    Scoped restore;
    const RECT w = Bounds(0, 0, 260, 100);
    const DWORD style = WS_CAPTION | WS_SYSMENU;
    DefaultFrame f(Info(style, 0, w));
    const RECT caption = f.CaptionRect();
    const POINT start{caption.left, caption.top + 1};

    Bitmap active = PaintFrame(Info(style, 0, w, true));
    Bitmap inactive = PaintFrame(Info(style, 0, w, false));
    EXPECT_EQ(active.Pixel(start.x, start.y), ColorToPixel(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_EQ(inactive.Pixel(start.x, start.y), ColorToPixel(GetSysColor(COLOR_INACTIVECAPTION)));
    // The bar runs towards the gradient colour: just left of the buttons it is close to it.
    const LONG endX = f.ButtonRect(HTCLOSE).left - 2;
    const PixelBGRA end = active.Pixel(endX, start.y);
    const COLORREF to = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    EXPECT_NEAR(PixelR(end), GetRValue(to), 6);
    EXPECT_NEAR(PixelG(end), GetGValue(to), 6);
    EXPECT_NEAR(PixelB(end), GetBValue(to), 6);

    // The colours are read when painting, so a changed scheme shows at once.
    const int index = COLOR_ACTIVECAPTION;
    const COLORREF red = RGB(200, 0, 0);
    ASSERT_TRUE(SetSysColors(1, &index, &red));
    Bitmap changed = PaintFrame(Info(style, 0, w, true));
    EXPECT_EQ(changed.Pixel(start.x, start.y), ColorToPixel(red));
}

TEST(DefaultFramePaint, TitleTextStaysInItsRectangle)
{
    const RECT w = Bounds(0, 0, 200, 90);
    FrameInfo info = Info(WS_OVERLAPPEDWINDOW, 0, w);
    info.caption.clear();
    Bitmap plain = PaintFrame(info);
    info.caption = u"Очень длинный заголовок окна, который никак не помещается в строку";
    Bitmap titled = PaintFrame(info);
    const RECT text = DefaultFrame(info).TitleTextRect();
    ASSERT_FALSE(text.IsEmpty());
    int changedInside = 0, changedOutside = 0;
    for (int y = 0; y < plain.Height(); ++y) {
        for (int x = 0; x < plain.Width(); ++x) {
            if (plain.Pixel(x, y) == titled.Pixel(x, y))
                continue;
            (text.Contains(POINT{x, y}) ? changedInside : changedOutside)++;
        }
    }
    EXPECT_GT(changedInside, 20);
    EXPECT_EQ(changedOutside, 0);
}

TEST(DefaultFramePaint, ButtonsShowHotPressedAndDisabledStates)
{
    const RECT w = Bounds(0, 0, 240, 120);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    FrameInfo info = Info(style, 0, w);
    Bitmap normal = PaintFrame(info);
    const DefaultFrame f(info);
    const RECT close = f.ButtonRect(HTCLOSE);
    const RECT max = f.ButtonRect(HTMAXBUTTON);
    const RECT min = f.ButtonRect(HTMINBUTTON);
    const PixelBGRA text = ColorToPixel(GetSysColor(COLOR_BTNTEXT));

    // Enabled buttons carry a glyph in the text colour; the disabled maximise button has none.
    EXPECT_GT(CountPixels(normal, close, text), 10);
    EXPECT_GT(CountPixels(normal, min, text), 6);
    EXPECT_EQ(CountPixels(normal, max, text), 0);
    EXPECT_GT(CountPixels(normal, max, ColorToPixel(GetSysColor(COLOR_BTNSHADOW))), 20);

    info.pressedButton = HTCLOSE;
    Bitmap pressed = PaintFrame(info);
    // Pushed in: the top-left edge turns dark and the glyph moves one pixel down and right.
    EXPECT_LT(Luminance(pressed.Pixel(close.left, close.top)), Luminance(normal.Pixel(close.left, close.top)));
    int glyphMoved = 0;
    for (LONG y = close.top + 2; y < close.bottom - 3; ++y)
        for (LONG x = close.left + 2; x < close.right - 3; ++x)
            glyphMoved += (normal.Pixel(x, y) == text) && pressed.Pixel(x + 1, y + 1) == text;
    EXPECT_EQ(glyphMoved, CountPixels(normal, close, text));

    info.pressedButton = HTNOWHERE;
    info.hotButton = HTCLOSE;
    Bitmap hot = PaintFrame(info);
    EXPECT_NE(hot.Pixel(close.left + 3, close.top + 3), normal.Pixel(close.left + 3, close.top + 3));
    // A disabled button shows neither hot nor pressed.
    info.hotButton = HTMAXBUTTON;
    info.pressedButton = HTMAXBUTTON;
    Bitmap disabledHot = PaintFrame(info);
    for (LONG y = max.top; y < max.bottom; ++y)
        for (LONG x = max.left; x < max.right; ++x)
            ASSERT_EQ(disabledHot.Pixel(x, y), normal.Pixel(x, y));
}

TEST(DefaultFramePaint, IconIsScaledToSixteenPixelsWithItsAlpha)
{
    Bitmap icon(64, 64);
    icon.Fill(MakePixel(220, 30, 30, 255));
    // The right half is fully transparent.
    for (int y = 0; y < 64; ++y)
        for (int x = 32; x < 64; ++x)
            icon.SetPixel(x, y, MakePixel(0, 0, 255, 0));
    FrameInfo info = Info(WS_OVERLAPPEDWINDOW, 0, Bounds(0, 0, 300, 100));
    info.caption.clear();
    Bitmap without = PaintFrame(info);
    info.icon = &icon;
    Bitmap with = PaintFrame(info);
    const RECT r = DefaultFrame(info).IconRect();
    ASSERT_EQ(r.Width(), 16);
    ASSERT_EQ(r.Height(), 16);
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            if (x < r.left + 8)
                EXPECT_EQ(with.Pixel(x, y), MakePixel(220, 30, 30)) << x << "," << y;
            else
                EXPECT_EQ(with.Pixel(x, y), without.Pixel(x, y)) << x << "," << y;
        }
    }
    // A broken, empty icon is skipped, not read.
    Bitmap empty;
    info.icon = &empty;
    EXPECT_EQ(PaintFrame(info), without);
}

// Writes a sheet of frames for a person to look at when LUMO_RENDER_DIR is set.
TEST(DefaultFramePaint, RendersASheetOfFrames)
{
    Bitmap sheet(560, 420);
    sheet.Fill(ColorToPixel(RGB(58, 110, 165)));
    HDC dc = CreateBitmapDC(&sheet);
    Bitmap icon(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int dx = x - 16, dy = y - 16;
            icon.SetPixel(x, y, dx * dx + dy * dy < 196 ? MakePixel(30, 140, 60) : MakePixel(0, 0, 0, 0));
        }
    std::vector<FrameInfo> frames;
    FrameInfo a = Info(WS_OVERLAPPEDWINDOW, 0, Bounds(10, 10, 260, 120), true);
    a.icon = &icon;
    a.caption = u"Lumo TV Player — активное окно";
    a.hotButton = HTCLOSE;
    frames.push_back(a);
    FrameInfo b = Info(WS_OVERLAPPEDWINDOW, 0, Bounds(290, 10, 260, 120), false);
    b.icon = &icon;
    b.pressedButton = HTMINBUTTON;
    frames.push_back(b);
    frames.push_back(Info(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_CLIENTEDGE, Bounds(10, 150, 260, 120)));
    frames.push_back(Info(WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP, Bounds(290, 150, 260, 120)));
    frames.push_back(Info(WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, Bounds(10, 290, 160, 110)));
    frames.push_back(Info(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0, Bounds(190, 290, 200, 110)));
    frames.push_back(Info(WS_POPUPWINDOW, 0, Bounds(410, 290, 60, 110)));
    frames.push_back(Info(WS_CHILD, WS_EX_CLIENTEDGE, Bounds(490, 290, 60, 110)));
    for (const FrameInfo& info : frames) {
        const RECT& w = info.windowRect;
        SetViewportOrgEx(dc, w.left, w.top, nullptr);
        RECT client = DefaultFrame(info).ClientRect();
        OffsetRect(&client, -w.left, -w.top);
        FillSolidRect(dc, client, GetSysColor(COLOR_BTNFACE));
        DefaultFrame(info).Paint(dc);
    }
    DeleteDC(dc);
    // The frames cover what they should: the active caption colour appears.
    EXPECT_GT(CountPixels(sheet, sheet.BoundsRect(), ColorToPixel(GetSysColor(COLOR_ACTIVECAPTION))), 10);
    if (const char* dir = std::getenv("LUMO_RENDER_DIR"))
        SavePng(sheet, std::string(dir) + "/frames.png");
}
