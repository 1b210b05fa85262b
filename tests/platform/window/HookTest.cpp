// Thread hooks: the mouse hook that keeps messages from windows, chaining, and the CBT hook.
#include "WindowTestSupport.h"

namespace windowtest {
namespace {

std::vector<std::string> gOrder;
std::vector<MOUSEHOOKSTRUCT> gSeen;
HHOOK gFirst = nullptr, gSecond = nullptr;
bool gSecondPasses = true;
HWND gRefusedActivation = nullptr;

LRESULT SwallowRightButton(int code, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = CallNextHookEx(gFirst, code, wParam, lParam);
    if (code != HC_ACTION)
        return r;
    gSeen.push_back(*reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam));
    if (wParam == WM_RBUTTONDOWN || wParam == WM_RBUTTONUP)
        r = 1;
    return r;
}

LRESULT FirstHook(int code, WPARAM wParam, LPARAM lParam)
{
    gOrder.push_back("first");
    return CallNextHookEx(gFirst, code, wParam, lParam);
}

LRESULT SecondHook(int code, WPARAM wParam, LPARAM lParam)
{
    gOrder.push_back("second");
    return gSecondPasses ? CallNextHookEx(gSecond, code, wParam, lParam) : 0;
}

LRESULT RefuseActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == gRefusedActivation)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND gGuarded = nullptr;
std::vector<int> gCbtCodes;

LRESULT GuardWindow(int code, WPARAM wParam, LPARAM lParam)
{
    gCbtCodes.push_back(code);
    if ((code == HCBT_SETFOCUS || code == HCBT_DESTROYWND) && reinterpret_cast<HWND>(wParam) == gGuarded)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class HookTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        gOrder.clear();
        gSeen.clear();
        gSecondPasses = true;
    }
};

TEST_F(HookTest, MouseHookKeepsTheRightButtonFromTheWindow)
{
    HWND h = Top(Bounds(100, 100, 200, 100));
    HWND child = Child(h, Bounds(10, 10, 50, 50));
    headless::ProcessMessages();
    gFirst = SetWindowsHookEx(WH_MOUSE, SwallowRightButton, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(gFirst);
    gLog.clear();
    headless::Click(POINT{120, 120}, MouseButton::Right);
    headless::Click(POINT{120, 120}, MouseButton::Left);
    headless::ProcessMessages();
    EXPECT_EQ(Count(child, WM_RBUTTONDOWN), 0);
    EXPECT_EQ(Count(child, WM_RBUTTONUP), 0);
    EXPECT_EQ(Count(child, WM_CONTEXTMENU), 0);
    EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Count(child, WM_LBUTTONUP), 1);
    ASSERT_FALSE(gSeen.empty());
    EXPECT_EQ(gSeen.front().pt, (POINT{120, 120}));
    EXPECT_EQ(gSeen.front().hwnd, child);
    EXPECT_EQ(gSeen.front().wHitTestCode, UINT(HTCLIENT));

    EXPECT_TRUE(UnhookWindowsHookEx(gFirst));
    EXPECT_FALSE(UnhookWindowsHookEx(gFirst));
    headless::Click(POINT{120, 120}, MouseButton::Right);
    headless::ProcessMessages();
    EXPECT_EQ(Count(child, WM_RBUTTONDOWN), 1);
}

TEST_F(HookTest, HooksChainNewestFirst)
{
    HWND h = Top(Bounds(0, 0, 100, 100));
    headless::ProcessMessages();
    gFirst = SetWindowsHookEx(WH_MOUSE, FirstHook, nullptr, 0);
    gSecond = SetWindowsHookEx(WH_MOUSE, SecondHook, nullptr, 0);
    headless::MouseMove(POINT{5, 5});
    headless::ProcessMessages();
    EXPECT_EQ(gOrder, (std::vector<std::string>{"second", "first"}));

    gOrder.clear();
    gSecondPasses = false; // not passing on ends the chain
    headless::MouseMove(POINT{6, 6});
    headless::ProcessMessages();
    EXPECT_EQ(gOrder, (std::vector<std::string>{"second"}));

    gOrder.clear();
    UnhookWindowsHookEx(gSecond);
    headless::MouseMove(POINT{7, 7});
    headless::ProcessMessages();
    EXPECT_EQ(gOrder, (std::vector<std::string>{"first"}));
    UnhookWindowsHookEx(gFirst);
    EXPECT_EQ(Count(h, WM_MOUSEMOVE), 3);
}

TEST_F(HookTest, CbtHookCanRefuseActivation)
{
    HWND a = Top(Bounds(0, 0, 100, 100));
    HWND b = Top(Bounds(200, 0, 100, 100), WS_POPUP);
    ASSERT_EQ(GetActiveWindow(), a);
    gRefusedActivation = b;
    HHOOK hook = SetWindowsHookEx(WH_CBT, RefuseActivation, nullptr, 0);
    gLog.clear();
    ShowWindow(b, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(b));
    EXPECT_EQ(SetActiveWindow(b), nullptr);
    headless::Click(POINT{250, 50});
    headless::ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(Count(b, WM_ACTIVATE), 0);
    EXPECT_EQ(Count(a, WM_ACTIVATE), 0);
    EXPECT_EQ(Count(b, WM_LBUTTONDOWN), 1); // the click itself still arrives
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(SetActiveWindow(b), a);
    EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(HookTest, CbtHookCanRefuseFocusAndDestruction)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    HWND a = Child(top, Bounds(0, 0, 10, 10));
    HWND b = Child(top, Bounds(20, 0, 10, 10));
    SetFocus(a);
    gGuarded = b;
    gCbtCodes.clear();
    HHOOK hook = SetWindowsHookEx(WH_CBT, GuardWindow, nullptr, 0);
    gLog.clear();
    EXPECT_EQ(SetFocus(b), nullptr);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(Count(a, WM_KILLFOCUS), 0);
    EXPECT_FALSE(DestroyWindow(b));
    EXPECT_TRUE(IsWindow(b));
    EXPECT_EQ(gCbtCodes, (std::vector<int>{HCBT_SETFOCUS, HCBT_DESTROYWND}));
    // Destroying the parent takes the child along: the hook is asked about the parent only.
    gCbtCodes.clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(std::count(gCbtCodes.begin(), gCbtCodes.end(), HCBT_DESTROYWND), 1);
    UnhookWindowsHookEx(hook);
}

} // namespace
} // namespace windowtest
