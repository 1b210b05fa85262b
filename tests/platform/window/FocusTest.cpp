// Focus, activation, capture, mouse-leave tracking, disabled windows.
#include "WindowTestSupport.h"

namespace windowtest {
namespace {

using FocusTest = WindowTest;

TEST_F(FocusTest, FocusMovesWithKillAndSetNamingEachOther)
{
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND a = Child(top, Bounds(0, 0, 50, 50));
    HWND b = Child(top, Bounds(60, 0, 50, 50));
    EXPECT_EQ(SetFocus(a), top);
    gLog.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(Sequence({WM_KILLFOCUS, WM_SETFOCUS}),
              (std::vector<std::pair<HWND, UINT>>{{a, WM_KILLFOCUS}, {b, WM_SETFOCUS}}));
    EXPECT_EQ(Last(a, WM_KILLFOCUS)->wParam, WPARAM(b));
    EXPECT_EQ(Last(b, WM_SETFOCUS)->wParam, WPARAM(a));
    EXPECT_EQ(GetFocus(), b);

    // A disabled window cannot take the focus, and loses it when disabled.
    EnableWindow(a, false);
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(GetFocus(), b);
    gLog.clear();
    EXPECT_FALSE(EnableWindow(b, false));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(MessagesOf(b, {WM_KILLFOCUS, WM_ENABLE}), (std::vector<UINT>{WM_KILLFOCUS, WM_ENABLE}));
    EXPECT_TRUE(EnableWindow(b, true));
    EXPECT_TRUE(IsWindowEnabled(b));
}

TEST_F(FocusTest, ActivationNotifiesBothWindowsInOrder)
{
    gLog.clear();
    HWND a = Top(Bounds(0, 0, 100, 100));
    EXPECT_EQ(Count(a, WM_ACTIVATEAPP), 1);
    EXPECT_EQ(Last(a, WM_ACTIVATEAPP)->wParam, WPARAM(TRUE));
    HWND b = Top(Bounds(200, 0, 100, 100), WS_POPUP);
    ShowWindow(b, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), a);
    gLog.clear();
    EXPECT_EQ(SetActiveWindow(b), a);
    std::vector<std::pair<HWND, UINT>> expected{
        {a, WM_NCACTIVATE}, {a, WM_ACTIVATE}, {b, WM_NCACTIVATE}, {b, WM_ACTIVATE}, {a, WM_KILLFOCUS}, {b, WM_SETFOCUS}};
    EXPECT_EQ(Sequence({WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS}), expected);
    EXPECT_EQ(Last(a, WM_NCACTIVATE)->wParam, WPARAM(FALSE));
    EXPECT_EQ(Last(a, WM_ACTIVATE)->wParam, WA_INACTIVE);
    EXPECT_EQ(Last(a, WM_ACTIVATE)->lParam, LPARAM(b));
    EXPECT_EQ(Last(b, WM_ACTIVATE)->wParam, WA_ACTIVE);
    EXPECT_EQ(Last(b, WM_ACTIVATE)->lParam, LPARAM(a));
    EXPECT_EQ(Count(b, WM_ACTIVATEAPP), 0); // the program was active already

    gLog.clear();
    SetActiveWindow(nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(Last(a, WM_ACTIVATEAPP)->wParam, WPARAM(FALSE));
    EXPECT_EQ(Last(b, WM_ACTIVATEAPP)->wParam, WPARAM(FALSE));
}

TEST_F(FocusTest, AClickActivatesThroughMouseActivate)
{
    HWND a = Top(Bounds(0, 0, 100, 100));
    HWND b = Top(Bounds(200, 0, 100, 100), WS_POPUP);
    HWND bChild = Child(b, Bounds(10, 10, 50, 50));
    ShowWindow(b, SW_SHOWNA);
    headless::ProcessMessages();
    gLog.clear();
    headless::Click(POINT{220, 20});
    headless::ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(Sequence({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}),
              (std::vector<std::pair<HWND, UINT>>{{bChild, WM_MOUSEACTIVATE},
                                                  {b, WM_MOUSEACTIVATE},
                                                  {a, WM_ACTIVATE},
                                                  {b, WM_ACTIVATE},
                                                  {bChild, WM_LBUTTONDOWN}}));
    EXPECT_EQ(Last(b, WM_ACTIVATE)->wParam, WA_CLICKACTIVE);
    EXPECT_EQ(Last(bChild, WM_LBUTTONDOWN)->lParam, MAKELPARAM(10, 10));

    // A window that answers MA_NOACTIVATEANDEAT stays inactive and the click is dropped.
    gHandler = [a](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (h == a && msg == WM_MOUSEACTIVATE)
            return MA_NOACTIVATEANDEAT;
        return std::nullopt;
    };
    gLog.clear();
    headless::Click(POINT{20, 20});
    headless::ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(Count(a, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(a, WM_LBUTTONUP), 1);
}

TEST_F(FocusTest, ClickOnTheDisabledOwnerOfAModalWindowDoesNothing)
{
    HWND owner = Top(Bounds(0, 0, 300, 300));
    HWND modal = Top(Bounds(50, 50, 100, 100), WS_POPUP | WS_VISIBLE, 0, owner);
    EnableWindow(owner, false);
    headless::ProcessMessages();
    ASSERT_EQ(GetActiveWindow(), modal);
    gLog.clear();
    headless::Click(POINT{250, 250});
    headless::KeyDown(VK_SPACE, u" ");
    headless::ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), modal);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEACTIVATE, WM_ACTIVATE, WM_MOUSEMOVE})
        EXPECT_EQ(Count(owner, m), 0) << m;
    EXPECT_EQ(Count(modal, WM_KEYDOWN), 1); // keys still go to the focused modal window
    EXPECT_EQ(WindowFromPoint(POINT{250, 250}), owner);

    // Closing the modal window hands activation back to its re-enabled owner.
    EnableWindow(owner, true);
    DestroyWindow(modal);
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(FocusTest, CaptureTakesTheMouseAndReportsItsLoss)
{
    HWND a = Top(Bounds(0, 0, 100, 100));
    HWND b = Top(Bounds(200, 0, 100, 100));
    headless::ProcessMessages();
    EXPECT_EQ(SetCapture(a), nullptr);
    gLog.clear();
    headless::MouseMove(POINT{250, 30});
    headless::MouseUp(POINT{250, 30});
    headless::ProcessMessages();
    EXPECT_EQ(Count(b, WM_MOUSEMOVE), 0);
    ASSERT_EQ(Count(a, WM_MOUSEMOVE), 1);
    EXPECT_EQ(Last(a, WM_MOUSEMOVE)->lParam, MAKELPARAM(250, 30)); // client coordinates of a
    EXPECT_EQ(Count(a, WM_LBUTTONUP), 1);

    EXPECT_EQ(SetCapture(b), a);
    ASSERT_EQ(Count(a, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(Last(a, WM_CAPTURECHANGED)->lParam, LPARAM(b));
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(Last(b, WM_CAPTURECHANGED)->lParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FocusTest, MouseLeaveIsPostedOnceWhenThePointerLeaves)
{
    HWND top = Top(Bounds(0, 0, 200, 100));
    HWND left = Child(top, Bounds(0, 0, 100, 100));
    HWND right = Child(top, Bounds(100, 0, 100, 100));
    static POINT cursorAtLeave;
    gHandler = [](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = h;
            TrackMouseEvent(&tme);
        }
        if (msg == WM_MOUSELEAVE)
            GetCursorPos(&cursorAtLeave);
        return std::nullopt;
    };
    headless::MouseMove(POINT{10, 10});
    headless::ProcessMessages();
    headless::MouseMove(POINT{20, 10});
    headless::ProcessMessages();
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 0);
    headless::MouseMove(POINT{150, 10});
    headless::ProcessMessages();
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 1);
    EXPECT_EQ(Sequence({WM_MOUSELEAVE, WM_MOUSEMOVE}).back(), std::make_pair(right, UINT(WM_MOUSEMOVE)));
    // The window that is left finds the pointer where it went, not over itself.
    EXPECT_EQ(cursorAtLeave, (POINT{150, 10}));
    headless::MouseMove(POINT{500, 500});
    headless::ProcessMessages();
    EXPECT_EQ(Count(right, WM_MOUSELEAVE), 1);
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 1);

    // Asking while the pointer is elsewhere answers at once.
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = left;
    TrackMouseEvent(&tme);
    headless::ProcessMessages();
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 2);
}

TEST_F(FocusTest, SetCursorAsksParentsFirstAndUsesTheClassCursor)
{
    WNDCLASS wc;
    wc.lpfnWndProc = TestProc;
    wc.hCursor = LoadCursor(nullptr, IDC_HAND);
    wc.lpszClassName = u"Hand";
    RegisterClass(wc);
    HWND top = Top(Bounds(0, 0, 200, 100));
    HWND hand = CreateWindowEx(0, u"Hand", u"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
    headless::MouseMove(POINT{10, 10});
    headless::ProcessMessages();
    EXPECT_EQ(headless::Current().Cursor(), LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(Sequence({WM_SETCURSOR}),
              (std::vector<std::pair<HWND, UINT>>{{hand, WM_SETCURSOR}, {top, WM_SETCURSOR}}));
    gHandler = [top](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (h == top && msg == WM_SETCURSOR) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        return std::nullopt;
    };
    headless::MouseMove(POINT{12, 10});
    headless::ProcessMessages();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
}

} // namespace
} // namespace windowtest
