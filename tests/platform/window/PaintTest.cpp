// The paint cycle: merging, erasing, RedrawWindow's flags, clipping, WM_PRINT, composition.
#include "WindowTestSupport.h"

namespace windowtest {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 160, 0);

class PaintTest : public WindowTest {
protected:
    std::vector<RECT> paints_;
    std::vector<BOOL> erases_;
    std::map<HWND, COLORREF> colors_;

    void SetUp() override
    {
        WindowTest::SetUp();
        gHandler = [this](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            paints_.push_back(ps.rcPaint);
            erases_.push_back(ps.fErase);
            if (auto it = colors_.find(h); it != colors_.end()) {
                RECT r;
                GetClientRect(h, &r);
                FillSolidRect(dc, r, it->second);
            }
            EndPaint(h, &ps);
            return 0;
        };
    }
};

TEST_F(PaintTest, InvalidationsMergeIntoOnePaintClippedToThem)
{
    HWND h = Top(Bounds(0, 0, 100, 100));
    colors_[h] = kBlue;
    headless::ProcessMessages();
    paints_.clear();
    colors_[h] = kRed;
    RECT a = Bounds(10, 10, 10, 10), b = Bounds(50, 60, 5, 5);
    InvalidateRect(h, &a, false);
    InvalidateRect(h, &b, false);
    gLog.clear();
    headless::ProcessMessages();
    EXPECT_EQ(Count(h, WM_PAINT), 1);
    ASSERT_EQ(paints_.size(), 1u);
    EXPECT_EQ(paints_[0], Rect(10, 10, 55, 65));
    EXPECT_EQ(Count(h, WM_ERASEBKGND), 0);
    // Only the two rectangles were painted, not their bounding box.
    EXPECT_EQ(ScreenPixel(10, 10), Opaque(kRed));
    EXPECT_EQ(ScreenPixel(54, 64), Opaque(kRed));
    EXPECT_EQ(ScreenPixel(30, 30), Opaque(kBlue));
    EXPECT_EQ(ScreenPixel(20, 10), Opaque(kBlue));
    EXPECT_FALSE(GetUpdateRect(h, nullptr, false));
}

TEST_F(PaintTest, EraseGoesBeforePaintAndUsesTheClassBackground)
{
    HWND h = Top(Bounds(0, 0, 40, 40));
    colors_[h] = kBlue;
    headless::ProcessMessages();
    colors_.erase(h);
    gLog.clear();
    InvalidateRect(h, nullptr, true);
    headless::ProcessMessages();
    EXPECT_EQ(MessagesOf(h, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(erases_.back(), FALSE); // DefWindowProc erased it
    EXPECT_EQ(ScreenPixel(5, 5), Opaque(kBackground));

    // A window that leaves the erasing undone is told so in fErase.
    gHandler = [this, old = gHandler](HWND hwnd, UINT msg, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (msg == WM_ERASEBKGND)
            return 0;
        return old(hwnd, msg, w, l);
    };
    InvalidateRect(h, nullptr, true);
    headless::ProcessMessages();
    EXPECT_EQ(erases_.back(), TRUE);
}

TEST_F(PaintTest, ValidateAndInternalPaint)
{
    HWND h = Top(Bounds(0, 0, 40, 40));
    headless::ProcessMessages();
    gLog.clear();
    InvalidateRect(h, nullptr, true);
    ValidateRect(h, nullptr);
    headless::ProcessMessages();
    EXPECT_EQ(Count(h, WM_PAINT), 0);
    RECT part = Bounds(0, 0, 40, 20), top = Bounds(0, 0, 40, 10);
    InvalidateRect(h, &part, false);
    ValidateRect(h, &top);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(h, &update, false));
    EXPECT_EQ(update, Rect(0, 10, 40, 20));
    ValidateRect(h, nullptr);
    RedrawWindow(h, nullptr, nullptr, RDW_INTERNALPAINT);
    paints_.clear();
    headless::ProcessMessages();
    EXPECT_EQ(Count(h, WM_PAINT), 1);
    ASSERT_EQ(paints_.size(), 1u);
    EXPECT_TRUE(paints_[0].IsEmpty());
}

TEST_F(PaintTest, RedrawWindowFlags)
{
    HWND parent = Top(Bounds(0, 0, 200, 200), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND child = Child(parent, Bounds(10, 10, 50, 50));
    HWND framed = CreateWindowEx(WS_EX_CLIENTEDGE, u"Test", u"", WS_CHILD | WS_VISIBLE, 100, 10, 50, 50, parent,
                                 nullptr, nullptr, nullptr);
    headless::ProcessMessages();

    // With WS_CLIPCHILDREN only the parent is invalidated, unless RDW_ALLCHILDREN.
    gLog.clear();
    InvalidateRect(parent, nullptr, true);
    headless::ProcessMessages();
    EXPECT_EQ(Count(parent, WM_PAINT), 1);
    EXPECT_EQ(Count(child, WM_PAINT), 0);
    gLog.clear();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    headless::ProcessMessages();
    EXPECT_EQ(Count(child, WM_PAINT), 1);
    EXPECT_EQ(Count(framed, WM_PAINT), 1);

    // RDW_UPDATENOW paints before returning; RDW_NOCHILDREN keeps the children out.
    gLog.clear();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(Count(parent, WM_PAINT), 1);
    EXPECT_EQ(Count(child, WM_PAINT), 1);
    EXPECT_FALSE(HasPendingPaint());
    gLog.clear();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(Count(parent, WM_PAINT), 1);
    EXPECT_EQ(Count(child, WM_PAINT), 0);

    // RDW_ERASENOW erases at once and leaves the painting for later.
    gLog.clear();
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    EXPECT_EQ(MessagesOf(child, {WM_ERASEBKGND, WM_PAINT}), std::vector<UINT>{WM_ERASEBKGND});
    headless::ProcessMessages();
    EXPECT_EQ(MessagesOf(child, {WM_ERASEBKGND, WM_PAINT}), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));

    // RDW_FRAME repaints the frame (WM_NCPAINT, from BeginPaint) of a window that has one.
    gLog.clear();
    RedrawWindow(framed, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    headless::ProcessMessages();
    EXPECT_EQ(MessagesOf(framed, {WM_NCPAINT, WM_PAINT}), (std::vector<UINT>{WM_PAINT, WM_NCPAINT}));
    gLog.clear();
    RedrawWindow(framed, nullptr, nullptr, RDW_INVALIDATE);
    headless::ProcessMessages();
    EXPECT_EQ(Count(framed, WM_NCPAINT), 0);
}

TEST_F(PaintTest, ParentsPaintBeforeChildrenAndClipChildrenProtectsThem)
{
    HWND clipping = Top(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND inClipping = Child(clipping, Bounds(20, 20, 30, 30));
    HWND plain = Top(Bounds(200, 0, 100, 100));
    HWND inPlain = Child(plain, Bounds(20, 20, 30, 30));
    colors_[clipping] = colors_[plain] = kRed;
    colors_[inClipping] = colors_[inPlain] = kBlue;
    gLog.clear();
    headless::ProcessMessages();
    EXPECT_EQ(Sequence({WM_PAINT}), (std::vector<std::pair<HWND, UINT>>{{plain, WM_PAINT},
                                                                        {inPlain, WM_PAINT},
                                                                        {clipping, WM_PAINT},
                                                                        {inClipping, WM_PAINT}}));
    EXPECT_EQ(ScreenPixel(25, 25), Opaque(kBlue));
    EXPECT_EQ(ScreenPixel(225, 25), Opaque(kBlue));

    // The clipping parent repaints alone and cannot touch its child; the plain one takes its
    // child along, since it paints over it.
    colors_[inClipping] = colors_[inPlain] = kGreen;
    colors_[clipping] = colors_[plain] = RGB(10, 10, 10);
    gLog.clear();
    InvalidateRect(clipping, nullptr, false);
    InvalidateRect(plain, nullptr, false);
    headless::ProcessMessages();
    EXPECT_EQ(Count(inClipping, WM_PAINT), 0);
    EXPECT_EQ(ScreenPixel(25, 25), Opaque(kBlue));
    EXPECT_EQ(Count(inPlain, WM_PAINT), 1);
    EXPECT_EQ(ScreenPixel(225, 25), Opaque(kGreen));
    EXPECT_EQ(ScreenPixel(5, 5), Opaque(RGB(10, 10, 10)));
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndAHandlerWithoutBeginPaintIsNotRepeated)
{
    HWND h = Top(Bounds(0, 0, 40, 40));
    headless::ProcessMessages();
    gLog.clear();
    InvalidateRect(h, nullptr, false);
    UpdateWindow(h);
    EXPECT_EQ(Count(h, WM_PAINT), 1);
    EXPECT_FALSE(HasPendingPaint());

    gHandler = [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return msg == WM_PAINT ? std::optional<LRESULT>(0) : std::nullopt;
    };
    InvalidateRect(h, nullptr, false);
    headless::ProcessMessages();
    EXPECT_EQ(Count(h, WM_PAINT), 2);
}

TEST_F(PaintTest, HiddenWindowsDoNotPaintAndShowingPaintsThem)
{
    HWND h = Top(Bounds(0, 0, 40, 40), WS_POPUP);
    colors_[h] = kRed;
    InvalidateRect(h, nullptr, true);
    headless::ProcessMessages();
    EXPECT_EQ(Count(h, WM_PAINT), 0);
    EXPECT_EQ(ScreenPixel(5, 5), Opaque(headless::Current().DesktopColor()));
    ShowWindow(h, SW_SHOW);
    headless::ProcessMessages();
    EXPECT_EQ(Count(h, WM_PAINT), 1);
    EXPECT_EQ(ScreenPixel(5, 5), Opaque(kRed));
    ShowWindow(h, SW_HIDE);
    headless::ProcessMessages();
    EXPECT_EQ(ScreenPixel(5, 5), Opaque(headless::Current().DesktopColor()));
}

TEST_F(PaintTest, MovingAChildRepaintsWhatItUncovered)
{
    HWND parent = Top(Bounds(0, 0, 100, 100));
    HWND child = Child(parent, Bounds(0, 0, 20, 20));
    colors_[parent] = kRed;
    colors_[child] = kBlue;
    headless::ProcessMessages();
    ASSERT_EQ(ScreenPixel(5, 5), Opaque(kBlue));
    MoveWindow(child, 50, 50, 20, 20, true);
    headless::ProcessMessages();
    EXPECT_EQ(ScreenPixel(5, 5), Opaque(kRed));
    EXPECT_EQ(ScreenPixel(55, 55), Opaque(kBlue));
    // Moving a top-level window only composes again: no painting.
    gLog.clear();
    MoveWindow(parent, 300, 300, 100, 100, true);
    headless::ProcessMessages();
    EXPECT_EQ(Count(parent, WM_PAINT), 0);
    EXPECT_EQ(ScreenPixel(355, 355), Opaque(kBlue));
    EXPECT_EQ(ScreenPixel(55, 55), Opaque(headless::Current().DesktopColor()));
}

TEST_F(PaintTest, PrintWindowDrawsFrameClientAndChildrenIntoAnyDC)
{
    HWND h = CreateWindowEx(0, u"Test", u"Печать", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 10, 10, 160,
                            120, nullptr, nullptr, nullptr, nullptr);
    HWND child = Child(h, Bounds(10, 10, 20, 20));
    gHandler = [this, child, old = gHandler](HWND hwnd, UINT msg, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (msg == WM_PRINTCLIENT) {
            RECT r;
            GetClientRect(hwnd, &r);
            FillSolidRect(reinterpret_cast<HDC>(w), r, hwnd == child ? kBlue : kRed);
            return 0;
        }
        return old(hwnd, msg, w, l);
    };
    colors_[h] = kRed;
    colors_[child] = kBlue;
    headless::ProcessMessages();
    Bitmap shown = headless::WindowShot(h);
    Bitmap printed(shown.Width(), shown.Height());
    HDC dc = CreateBitmapDC(&printed);
    EXPECT_TRUE(PrintWindow(h, dc, 0));
    DeleteDC(dc);
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            ASSERT_EQ(printed.Pixel(x, y) | 0xFF000000u, shown.Pixel(x, y) | 0xFF000000u) << x << "," << y;
}

} // namespace
} // namespace windowtest
