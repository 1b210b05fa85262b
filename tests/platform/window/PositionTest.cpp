// Z-order with the top-most band and owners, SetWindowPos flags, deferred positioning.
#include "WindowTestSupport.h"

#include "platform/core/Screen.h"

namespace windowtest {
namespace {

std::vector<HWND> TopLevelOrder()
{
    std::vector<HWND> out;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
        out.push_back(h);
    return out;
}

using PositionTest = WindowTest;

TEST_F(PositionTest, TopMostBandStaysAboveAndOwnedWindowsAboveTheirOwners)
{
    HWND a = Top(Bounds(0, 0, 50, 50));
    HWND b = Top(Bounds(0, 0, 50, 50));
    HWND c = Top(Bounds(0, 0, 50, 50));
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{c, b, a}));

    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{a, c, b}));
    HWND d = Top(Bounds(0, 0, 50, 50)); // a new window opens at the top of the ordinary band
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{a, d, c, b}));
    BringWindowToTop(b);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{a, b, d, c}));

    SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{a, b, d, c}));
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{b, d, c, a}));

    // An owned window stays above its owner however the owner is raised.
    HWND owned = Top(Bounds(0, 0, 20, 20), WS_POPUP | WS_VISIBLE, 0, c);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{owned, c, b, d, a}));
    SetWindowPos(owned, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{owned, c, b, d, a}));
    // ... and follows its owner into the top-most band.
    SetWindowPos(c, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{owned, c, b, d, a}));
    EXPECT_TRUE(GetWindowLongPtr(owned, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Making the desktop the owner frees the window from its owner.
    SetWindowLongPtr(owned, GWL_HWNDPARENT, LONG_PTR(GetDesktopWindow()));
    EXPECT_EQ(GetWindow(owned, GW_OWNER), nullptr);
    SetWindowPos(owned, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(TopLevelOrder(), (std::vector<HWND>{c, owned, b, d, a}));
    EXPECT_EQ(headless::Current().Stacking(), TopLevelOrder());
}

TEST_F(PositionTest, SetWindowPosHonoursItsFlags)
{
    HWND h = Top(Bounds(10, 10, 100, 80));
    HWND other = Top(Bounds(300, 300, 20, 20));
    headless::ProcessMessages();

    gLog.clear();
    SetWindowPos(h, nullptr, 50, 60, 999, 999, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, Bounds(50, 60, 100, 80));
    EXPECT_EQ(MessagesOf(h, {WM_MOVE, WM_SIZE, WM_NCCALCSIZE}), std::vector<UINT>{WM_MOVE});
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(TopLevelOrder().front(), other);

    gLog.clear();
    SetWindowPos(h, nullptr, 0, 0, 30, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(h, &r);
    EXPECT_EQ(r, Bounds(50, 60, 30, 40));
    EXPECT_EQ(MessagesOf(h, {WM_MOVE, WM_SIZE, WM_NCCALCSIZE}), (std::vector<UINT>{WM_NCCALCSIZE, WM_SIZE}));
    EXPECT_EQ(Last(h, WM_SIZE)->lParam, MAKELPARAM(30, 40));

    gLog.clear();
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(Count(h, WM_NCCALCSIZE), 1);
    EXPECT_EQ(Last(h, WM_NCCALCSIZE)->wParam, WPARAM(TRUE));
    EXPECT_EQ(GetActiveWindow(), h); // no SWP_NOACTIVATE: activated

    gLog.clear();
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(Count(h, WM_SHOWWINDOW), 0);
    EXPECT_EQ(GetActiveWindow(), other); // hiding the active window hands activation on
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetActiveWindow(), other);

    // Nothing changes: no WM_WINDOWPOSCHANGED.
    gLog.clear();
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(MessagesOf(h, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}), std::vector<UINT>{WM_WINDOWPOSCHANGING});
}

TEST_F(PositionTest, WindowPosChangingMayEditTheRequest)
{
    HWND h = Top(Bounds(0, 0, 100, 100));
    gHandler = [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_WINDOWPOSCHANGING) {
            auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
            wp->cx = std::min(wp->cx, 120);
            wp->flags |= SWP_NOMOVE;
        }
        return std::nullopt;
    };
    MoveWindow(h, 40, 40, 500, 90, true);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, Bounds(0, 0, 120, 90));
}

TEST_F(PositionTest, DeferredPositionsApplyAllAtOnce)
{
    HWND parent = Top(Bounds(0, 0, 300, 300));
    HWND left = Child(parent, Bounds(0, 0, 100, 100));
    HWND right = Child(parent, Bounds(150, 0, 100, 100));
    headless::ProcessMessages();
    RECT rightSeenByLeft{};
    gHandler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (h == left && msg == WM_WINDOWPOSCHANGED) {
            GetWindowRect(right, &rightSeenByLeft);
            MapWindowPoints(nullptr, parent, &rightSeenByLeft);
        }
        return std::nullopt;
    };
    gLog.clear();
    HDWP batch = BeginDeferWindowPos(2);
    batch = DeferWindowPos(batch, left, nullptr, 150, 0, 100, 100, SWP_NOZORDER);
    batch = DeferWindowPos(batch, right, nullptr, 0, 0, 100, 100, SWP_NOZORDER);
    ASSERT_TRUE(batch);
    ASSERT_TRUE(EndDeferWindowPos(batch));
    EXPECT_EQ(rightSeenByLeft, Bounds(0, 0, 100, 100));
    EXPECT_EQ(Sequence({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}),
              (std::vector<std::pair<HWND, UINT>>{{left, WM_WINDOWPOSCHANGING},
                                                  {right, WM_WINDOWPOSCHANGING},
                                                  {left, WM_WINDOWPOSCHANGED},
                                                  {right, WM_WINDOWPOSCHANGED}}));
    EXPECT_FALSE(EndDeferWindowPos(batch)); // ended once
    EXPECT_EQ(DeferWindowPos(BeginDeferWindowPos(1), reinterpret_cast<HWND>(0x77), nullptr, 0, 0, 0, 0, 0), nullptr);
}

TEST_F(PositionTest, CoordinatesMapThroughTheTree)
{
    HWND top = Top(Bounds(100, 50, 300, 300));
    HWND child = Child(top, Bounds(10, 20, 100, 100));
    HWND inner = Child(child, Bounds(5, 5, 10, 10));
    POINT p{1, 2};
    ClientToScreen(inner, &p);
    EXPECT_EQ(p, (POINT{116, 77}));
    ScreenToClient(child, &p);
    EXPECT_EQ(p, (POINT{6, 7}));
    RECT r;
    GetWindowRect(inner, &r);
    EXPECT_EQ(r, Bounds(115, 75, 10, 10));
    EXPECT_EQ(WindowFromPoint(POINT{116, 77}), inner);
    EXPECT_EQ(WindowFromPoint(POINT{105, 55}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 25}), child);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{250, 250}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{350, 250}), nullptr);
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(inner, top));
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    RECT desk;
    GetWindowRect(GetDesktopWindow(), &desk);
    EXPECT_EQ(desk, Bounds(0, 0, 1280, 1024));
}

TEST_F(PositionTest, AbsurdGeometryIsClampedNotFatal)
{
    HWND h = CreateWindowEx(0, u"Test", u"", WS_POPUP | WS_VISIBLE, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, nullptr,
                            nullptr, nullptr, nullptr);
    ASSERT_TRUE(h);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_LE(std::int64_t(r.Width()) * r.Height(), Bitmap::MaxPixels);
    EXPECT_TRUE(SetWindowPos(h, nullptr, INT32_MIN, INT32_MAX, 100000, -5, SWP_NOZORDER));
    GetWindowRect(h, &r);
    EXPECT_EQ(r.Width(), Bitmap::MaxSide);
    EXPECT_EQ(r.Height(), 0);
    HWND child = Child(h, Bounds(0, 0, 10, 10));
    EXPECT_TRUE(MoveWindow(child, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, true));
    headless::ProcessMessages();
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_LT(p.x, 1 << 22);
}

TEST_F(PositionTest, ScreenAndWorkAreaComeFromTheBackend)
{
    headless::Reset(HeadlessOptions{{800, 600}, RGB(0, 0, 0), Rect(0, 30, 800, 600)});
    EXPECT_EQ(GetScreenSize(), (SIZE{800, 600}));
    EXPECT_EQ(GetWorkArea(), Rect(0, 30, 800, 600));
    RECT desk;
    GetWindowRect(GetDesktopWindow(), &desk);
    EXPECT_EQ(desk, Rect(0, 0, 800, 600));
    headless::Reset();
    EXPECT_EQ(GetWorkArea(), Rect(0, 0, 1280, 984));
}

TEST_F(PositionTest, MinimiseAndRestore)
{
    HWND main = Top(Bounds(0, 0, 100, 100));
    HWND h = Top(Bounds(10, 20, 200, 100), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE);
    ASSERT_EQ(GetActiveWindow(), h);
    gLog.clear();
    SendMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(h));
    ASSERT_TRUE(Last(h, WM_SIZE));
    EXPECT_EQ(Last(h, WM_SIZE)->wParam, SIZE_MINIMIZED);
    EXPECT_EQ(GetActiveWindow(), main);
    SendMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(h));
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, Bounds(10, 20, 200, 100));
    EXPECT_EQ(Last(h, WM_SIZE)->wParam, SIZE_RESTORED);
    EXPECT_EQ(GetActiveWindow(), h);
}

} // namespace
} // namespace windowtest
