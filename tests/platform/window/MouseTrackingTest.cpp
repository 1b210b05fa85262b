// Hover tracking on the virtual clock: WM_MOUSEHOVER once the mouse rests for the hover time.
#include "WindowTestSupport.h"

namespace windowtest {
namespace {

using MouseTrackingTest = WindowTest;

bool TrackHover(HWND h, DWORD time, DWORD flags = TME_HOVER)
{
    TRACKMOUSEEVENT tme;
    tme.dwFlags = flags;
    tme.hwndTrack = h;
    tme.dwHoverTime = time;
    return TrackMouseEvent(&tme);
}

TEST_F(MouseTrackingTest, HoverComesOnceAfterTheMouseRestsForTheHoverTime)
{
    HWND top = Top(Bounds(0, 0, 200, 100));
    HWND child = Child(top, Bounds(50, 20, 100, 60));
    headless::MouseMove(POINT{60, 30});
    headless::ProcessMessages();
    ASSERT_TRUE(TrackHover(child, 100));

    TRACKMOUSEEVENT query;
    query.dwFlags = TME_QUERY;
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, child);
    EXPECT_EQ(query.dwFlags, TME_HOVER);
    EXPECT_EQ(query.dwHoverTime, 100u);

    headless::RunFor(90);
    EXPECT_EQ(Count(child, WM_MOUSEHOVER), 0);
    headless::RunFor(20);
    ASSERT_EQ(Count(child, WM_MOUSEHOVER), 1);
    EXPECT_EQ(Last(child, WM_MOUSEHOVER)->lParam, MAKELPARAM(10, 10)); // client coordinates
    EXPECT_EQ(Last(child, WM_MOUSEHOVER)->wParam, 0u);

    // One message per request.
    headless::RunFor(500);
    EXPECT_EQ(Count(child, WM_MOUSEHOVER), 1);
    query.dwFlags = TME_QUERY;
    TrackMouseEvent(&query);
    EXPECT_EQ(query.dwFlags, 0u);
}

TEST_F(MouseTrackingTest, MovingOnStartsTheWaitAgainAndLeavingEndsIt)
{
    HWND top = Top(Bounds(0, 0, 200, 100));
    headless::MouseMove(POINT{20, 20});
    headless::ProcessMessages();
    ASSERT_TRUE(TrackHover(top, 100));
    headless::RunFor(60);
    headless::MouseMove(POINT{22, 21}); // within the hover rectangle: the wait goes on
    headless::RunFor(50);
    EXPECT_EQ(Count(top, WM_MOUSEHOVER), 1);

    ASSERT_TRUE(TrackHover(top, 100));
    headless::RunFor(60);
    headless::MouseMove(POINT{40, 20}); // away: the wait starts again
    headless::RunFor(60);
    EXPECT_EQ(Count(top, WM_MOUSEHOVER), 1);
    headless::RunFor(50);
    ASSERT_EQ(Count(top, WM_MOUSEHOVER), 2);
    EXPECT_EQ(Last(top, WM_MOUSEHOVER)->lParam, MAKELPARAM(40, 20));

    ASSERT_TRUE(TrackHover(top, 100));
    headless::MouseMove(POINT{500, 500});
    headless::RunFor(300);
    EXPECT_EQ(Count(top, WM_MOUSEHOVER), 2);

    // Asked for while the mouse is elsewhere, or cancelled, nothing comes either.
    ASSERT_TRUE(TrackHover(top, 100));
    headless::MouseMove(POINT{30, 30});
    headless::ProcessMessages();
    ASSERT_TRUE(TrackHover(top, 100));
    ASSERT_TRUE(TrackHover(top, 0, TME_HOVER | TME_CANCEL));
    headless::RunFor(300);
    EXPECT_EQ(Count(top, WM_MOUSEHOVER), 2);
}

TEST_F(MouseTrackingTest, TheDefaultHoverTimeAndTheFrame)
{
    HWND top = Top(Bounds(0, 0, 200, 100), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    RECT r{};
    GetWindowRect(top, &r);
    POINT caption{r.left + 60, r.top + 8};
    headless::MouseMove(caption);
    headless::ProcessMessages();
    ASSERT_TRUE(TrackHover(top, HOVER_DEFAULT, TME_HOVER | TME_NONCLIENT));
    headless::RunFor(390);
    EXPECT_EQ(Count(top, WM_NCMOUSEHOVER), 0);
    headless::RunFor(20);
    ASSERT_EQ(Count(top, WM_NCMOUSEHOVER), 1);
    EXPECT_EQ(Last(top, WM_NCMOUSEHOVER)->wParam, WPARAM(HTCAPTION));
    EXPECT_EQ(Last(top, WM_NCMOUSEHOVER)->lParam, MAKELPARAM(caption.x, caption.y));
    EXPECT_EQ(Count(top, WM_MOUSEHOVER), 0);
}

} // namespace
} // namespace windowtest
