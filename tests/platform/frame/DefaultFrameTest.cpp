#include "platform/frame/DefaultFrame.h"

#include "platform/graphics/Gdi.h"
#include "platform/frame/SystemMetrics.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

FrameInfo Info(DWORD style, DWORD exStyle, RECT windowRect)
{
    FrameInfo info;
    info.style = style;
    info.exStyle = exStyle;
    info.windowRect = windowRect;
    info.caption = u"Окно";
    return info;
}

RECT Inset(RECT r, LONG left, LONG top, LONG right, LONG bottom)
{
    return Rect(r.left + left, r.top + top, r.right - right, r.bottom - bottom);
}

POINT Centre(RECT r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT ToScreen(const RECT& window, POINT rel) { return POINT{window.left + rel.x, window.top + rel.y}; }

const Bitmap& TestIcon()
{
    static Bitmap icon = [] {
        Bitmap b(32, 32);
        b.Fill(MakePixel(200, 20, 20, 255));
        return b;
    }();
    return icon;
}

} // namespace

TEST(DefaultFrame, ClientRectFollowsTheBorderAndCaptionOfEachStyle)
{
    const RECT w = Rect(100, 50, 400, 300);
    const int frame = GetSystemMetrics(SM_CXFRAME), fixed = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION), small = GetSystemMetrics(SM_CYSMCAPTION);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    ASSERT_GT(frame, fixed);
    ASSERT_GT(fixed, 1);
    ASSERT_GT(caption, small);

    struct Case {
        DWORD style, exStyle;
        RECT expected;
    };
    const std::vector<Case> cases = {
        {WS_OVERLAPPEDWINDOW, 0, Inset(w, frame, frame + caption, frame, frame)},
        {WS_CAPTION | WS_SYSMENU, 0, Inset(w, fixed, fixed + caption, fixed, fixed)},
        {WS_POPUP | WS_DLGFRAME, 0, Inset(w, fixed, fixed, fixed, fixed)},
        {WS_POPUP, WS_EX_DLGMODALFRAME, Inset(w, fixed, fixed, fixed, fixed)},
        {WS_POPUPWINDOW, 0, Inset(w, 1, 1, 1, 1)},
        {WS_POPUP | WS_THICKFRAME, 0, Inset(w, frame, frame, frame, frame)},
        {WS_CHILD, 0, w},
        {WS_POPUP, 0, w},
        {WS_CHILD, WS_EX_CLIENTEDGE, Inset(w, edge, edge, edge, edge)},
        {WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE, Inset(w, 1 + edge, 1 + edge, 1 + edge, 1 + edge)},
        {WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE,
         Inset(w, frame + edge, frame + caption + edge, frame + edge, frame + edge)},
        {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, Inset(w, fixed, fixed + small, fixed, fixed)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "style 0x" << c.style << " ex 0x" << c.exStyle);
        DefaultFrame f(Info(c.style, c.exStyle, w));
        EXPECT_EQ(f.ClientRect(), c.expected);
        // The window rectangle computed back from the client rectangle is the one we started from.
        EXPECT_EQ(DefaultFrame::WindowRectForClient(f.ClientRect(), c.style, c.exStyle), w);
    }
}

TEST(DefaultFrame, WindowSmallerThanItsFrameHasAnEmptyClientRect)
{
    for (RECT w : {Rect(10, 10, 14, 12), Rect(0, 0, 0, 0), Rect(5, 5, 40, 20)}) {
        DefaultFrame f(Info(WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE, w));
        RECT c = f.ClientRect();
        EXPECT_TRUE(c.IsEmpty());
        EXPECT_GE(c.right, c.left);
        EXPECT_GE(c.bottom, c.top);
        for (LRESULT code : {HTCLOSE, HTMINBUTTON, HTMAXBUTTON, HTHELP}) {
            RECT b = f.ButtonRect(code), inside;
            if (!b.IsEmpty()) {
                IntersectRect(&inside, b, Rect(0, 0, w.Width(), w.Height()));
                EXPECT_EQ(inside, b);
            }
        }
    }
}

TEST(DefaultFrame, HitTestsEveryZoneOfASizeableWindow)
{
    const RECT w = Rect(200, 100, 600, 400); // 400 x 300
    FrameInfo info = Info(WS_OVERLAPPEDWINDOW, 0, w);
    info.icon = &TestIcon();
    DefaultFrame f(info);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    auto at = [&](LONG x, LONG y) { return f.HitTest(ToScreen(w, POINT{x, y})); };

    EXPECT_EQ(f.HitTest(POINT{w.left - 1, w.top + 50}), HTNOWHERE);
    EXPECT_EQ(f.HitTest(POINT{w.right, w.top + 50}), HTNOWHERE);
    EXPECT_EQ(f.HitTest(POINT{w.left + 50, w.bottom}), HTNOWHERE);

    EXPECT_EQ(at(0, 150), HTLEFT);
    EXPECT_EQ(at(frame - 1, 150), HTLEFT);
    EXPECT_EQ(at(399, 150), HTRIGHT);
    EXPECT_EQ(at(200, 0), HTTOP);
    EXPECT_EQ(at(200, 299), HTBOTTOM);
    EXPECT_EQ(at(0, 0), HTTOPLEFT);
    EXPECT_EQ(at(399, 0), HTTOPRIGHT);
    EXPECT_EQ(at(0, 299), HTBOTTOMLEFT);
    EXPECT_EQ(at(399, 299), HTBOTTOMRIGHT);
    // Corners reach some way along both edges.
    EXPECT_EQ(at(10, 0), HTTOPLEFT);
    EXPECT_EQ(at(0, 10), HTTOPLEFT);
    EXPECT_EQ(at(399, 290), HTBOTTOMRIGHT);
    EXPECT_EQ(at(390, 299), HTBOTTOMRIGHT);

    EXPECT_EQ(at(200, frame + 3), HTCAPTION);
    EXPECT_EQ(at(200, frame + caption - 1), HTCAPTION);
    EXPECT_EQ(at(200, frame + caption), HTCLIENT);
    EXPECT_EQ(at(frame, frame + caption), HTCLIENT);
    EXPECT_EQ(at(399 - frame, 299 - frame), HTCLIENT);
    EXPECT_EQ(f.HitTest(Centre(f.ClientRect())), HTCLIENT);

    const RECT icon = f.IconRect();
    ASSERT_FALSE(icon.IsEmpty());
    EXPECT_EQ(at(Centre(icon).x, Centre(icon).y), HTSYSMENU);
    for (LRESULT code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        RECT b = f.ButtonRect(code);
        ASSERT_FALSE(b.IsEmpty()) << code;
        EXPECT_EQ(at(Centre(b).x, Centre(b).y), code);
        EXPECT_EQ(at(b.left, b.top), code);
        EXPECT_EQ(at(b.right - 1, b.bottom - 1), code);
        EXPECT_TRUE(f.IsButtonEnabled(code));
    }
    EXPECT_TRUE(f.ButtonRect(HTHELP).IsEmpty());
}

TEST(DefaultFrame, FixedAndThinBordersAnswerBorderNotSizingCodes)
{
    const RECT w = Rect(0, 0, 300, 200);
    for (DWORD style : {DWORD(WS_CAPTION | WS_SYSMENU), DWORD(WS_POPUPWINDOW), DWORD(WS_POPUP | WS_DLGFRAME)}) {
        SCOPED_TRACE(style);
        DefaultFrame f(Info(style, 0, w));
        for (POINT p : {POINT{0, 0}, POINT{0, 100}, POINT{150, 0}, POINT{299, 199}, POINT{150, 199}})
            EXPECT_EQ(f.HitTest(p), HTBORDER);
        EXPECT_EQ(f.HitTest(Centre(f.ClientRect())), HTCLIENT);
    }
    // A maximised sizeable window cannot be resized from its border.
    DefaultFrame maximized(Info(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0, w));
    EXPECT_EQ(maximized.HitTest(POINT{0, 100}), HTBORDER);
    EXPECT_EQ(maximized.HitTest(POINT{0, 0}), HTBORDER);
    // The client edge is border too; a child without any frame is all client.
    DefaultFrame edged(Info(WS_CHILD, WS_EX_CLIENTEDGE, w));
    EXPECT_EQ(edged.HitTest(POINT{0, 50}), HTBORDER);
    EXPECT_EQ(edged.HitTest(POINT{1, 50}), HTBORDER);
    EXPECT_EQ(edged.HitTest(POINT{2, 50}), HTCLIENT);
    DefaultFrame bare(Info(WS_CHILD, 0, w));
    EXPECT_EQ(bare.HitTest(POINT{0, 0}), HTCLIENT);
    EXPECT_EQ(bare.HitTest(POINT{299, 199}), HTCLIENT);
}

TEST(DefaultFrame, CaptionButtonsFollowTheStyle)
{
    const RECT w = Rect(0, 0, 320, 240);
    struct Case {
        DWORD style, exStyle;
        bool close, min, max, help, minEnabled, maxEnabled;
    };
    const std::vector<Case> cases = {
        {WS_OVERLAPPEDWINDOW, 0, true, true, true, false, true, true},
        {WS_CAPTION | WS_SYSMENU, 0, true, false, false, false, false, false},
        {WS_CAPTION, 0, false, false, false, false, false, false},
        {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, true, true, true, false, true, false},
        {WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, 0, true, true, true, false, false, true},
        {WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP, true, false, false, true, false, false},
        {WS_OVERLAPPEDWINDOW, WS_EX_CONTEXTHELP, true, true, true, false, true, true},
        {WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, true, false, false, false, false, false},
        {WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "style 0x" << c.style << " ex 0x" << c.exStyle);
        FrameInfo info = Info(c.style, c.exStyle, w);
        info.icon = &TestIcon();
        DefaultFrame f(info);
        EXPECT_EQ(!f.ButtonRect(HTCLOSE).IsEmpty(), c.close);
        EXPECT_EQ(!f.ButtonRect(HTMINBUTTON).IsEmpty(), c.min);
        EXPECT_EQ(!f.ButtonRect(HTMAXBUTTON).IsEmpty(), c.max);
        EXPECT_EQ(!f.ButtonRect(HTHELP).IsEmpty(), c.help);
        EXPECT_EQ(f.IsButtonEnabled(HTMINBUTTON), c.minEnabled);
        EXPECT_EQ(f.IsButtonEnabled(HTMAXBUTTON), c.maxEnabled);
        // A disabled button still answers its own hit code, so a click on it is not a caption drag.
        if (c.max) {
            EXPECT_EQ(f.HitTest(Centre(f.ButtonRect(HTMAXBUTTON))), HTMAXBUTTON);
        }
        if (!(c.style & WS_SYSMENU) || (c.exStyle & WS_EX_TOOLWINDOW)) {
            EXPECT_TRUE(f.IconRect().IsEmpty());
        }
    }
}

TEST(DefaultFrame, CaptionButtonsLieInsideTheCaptionWithoutOverlapping)
{
    for (LONG width : {400, 160, 120, 90, 60, 30}) {
        for (DWORD exStyle : {DWORD(0), DWORD(WS_EX_CONTEXTHELP), DWORD(WS_EX_TOOLWINDOW)}) {
            for (DWORD style : {DWORD(WS_OVERLAPPEDWINDOW), DWORD(WS_CAPTION | WS_SYSMENU)}) {
                SCOPED_TRACE(testing::Message() << "width " << width << std::hex << " style 0x" << style
                                                << " ex 0x" << exStyle);
                FrameInfo info = Info(style, exStyle, Bounds(30, 40, width, 200));
                info.icon = &TestIcon();
                DefaultFrame f(info);
                const RECT caption = f.CaptionRect();
                std::vector<RECT> shown;
                for (LRESULT code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP}) {
                    RECT b = f.ButtonRect(code), inside;
                    if (b.IsEmpty())
                        continue;
                    IntersectRect(&inside, b, caption);
                    EXPECT_EQ(inside, b) << code;
                    EXPECT_FALSE(IntersectRect(&inside, b, f.IconRect())) << code;
                    for (const RECT& other : shown)
                        EXPECT_FALSE(IntersectRect(&inside, b, other)) << code;
                    shown.push_back(b);
                }
                // Close is rightmost, then maximise, then minimise.
                if (!f.ButtonRect(HTMAXBUTTON).IsEmpty()) {
                    EXPECT_LE(f.ButtonRect(HTMAXBUTTON).right, f.ButtonRect(HTCLOSE).left);
                }
                if (!f.ButtonRect(HTMINBUTTON).IsEmpty()) {
                    EXPECT_LE(f.ButtonRect(HTMINBUTTON).right, f.ButtonRect(HTMAXBUTTON).left);
                }
                RECT text = f.TitleTextRect(), overlap;
                for (const RECT& b : shown)
                    EXPECT_FALSE(IntersectRect(&overlap, text, b));
            }
        }
    }
    // A roomy window shows all three.
    DefaultFrame roomy(Info(WS_OVERLAPPEDWINDOW, 0, Bounds(0, 0, 400, 300)));
    EXPECT_FALSE(roomy.ButtonRect(HTMINBUTTON).IsEmpty());
}

TEST(DefaultFrame, NoIconMeansNoSystemMenuZone)
{
    DefaultFrame f(Info(WS_OVERLAPPEDWINDOW, 0, Bounds(0, 0, 300, 200)));
    EXPECT_TRUE(f.IconRect().IsEmpty());
    const int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(f.HitTest(POINT{frame + 4, frame + 6}), HTCAPTION);
    EXPECT_EQ(f.TitleTextRect().left, frame + 4);
}

TEST(DefaultFrame, NonClientRegionIsTheWindowLessTheClient)
{
    DefaultFrame f(Info(WS_OVERLAPPEDWINDOW, 0, Bounds(10, 20, 200, 150)));
    Region rgn = f.NonClientRegion();
    RECT client = f.ClientRect();
    OffsetRect(&client, -10, -20);
    EXPECT_FALSE(rgn.Contains(Centre(client)));
    EXPECT_TRUE(rgn.Contains(POINT{0, 0}));
    EXPECT_TRUE(rgn.Contains(POINT{199, 149}));
    EXPECT_TRUE(rgn.Contains(POINT{100, 5}));
    EXPECT_EQ(rgn.Box(), Rect(0, 0, 200, 150));
}
