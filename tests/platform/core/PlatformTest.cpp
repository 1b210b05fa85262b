// Building the platform anew: nothing of the last one reaches the next.
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Platform.h"
#include "platform/frame/MessageBox.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Hook.h"
#include "platform/window/Message.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

int gHookCalls = 0;

LRESULT CountingHook(int code, WPARAM wParam, LPARAM lParam)
{
    ++gHookCalls;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int gDestroyed = 0;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
        ++gDestroyed;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

ATOM RegisterKept()
{
    WNDCLASS wc;
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = u"Kept";
    return RegisterClass(wc);
}

RECT DefaultPlaced()
{
    HWND h = CreateWindowEx(0, u"Kept", u"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

TEST(Platform, AFreshPlatformKeepsNothingOfTheLast)
{
    headless::Reset();
    ASSERT_NE(RegisterKept(), 0);
    RECT first = DefaultPlaced();
    RECT second = DefaultPlaced();
    EXPECT_NE(first.left, second.left) << "overlapped windows cascade";
    COLORREF classic = GetSysColor(COLOR_WINDOW);
    int color = COLOR_WINDOW;
    COLORREF red = RGB(255, 0, 0);
    ASSERT_TRUE(SetSysColors(1, &color, &red));
    AnswerMessageBoxesAtOnce(true);
    SetTimer(nullptr, 0, 10, nullptr);
    gHookCalls = 0;
    SetWindowsHookEx(WH_CBT, CountingHook, nullptr, 0);
    PostMessage(nullptr, WM_USER, 0, 0);
    PostQuitMessage(3);
    gDestroyed = 0;

    HWND old = FindWindow(u"Kept", u"");
    ASSERT_TRUE(old);
    headless::Reset();
    EXPECT_EQ(gDestroyed, 2) << "the old windows are destroyed with their messages";
    EXPECT_FALSE(IsWindow(old));
    gHookCalls = 0;
    EXPECT_NE(RegisterKept(), 0) << "the class went with the old platform";
    EXPECT_EQ(DefaultPlaced().left, first.left) << "the cascade starts again";
    EXPECT_FALSE(IsWindow(old)) << "handles are not reused";
    EXPECT_EQ(gHookCalls, 0);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), classic);
    headless::AdvanceClock(100);
    MSG msg{};
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "message " << msg.message;

    // A message box shows again instead of answering at once.
    UINT_PTR closer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        PostMessage(GetActiveWindow(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(MessageBox(nullptr, u"x", u"t", MB_OKCANCEL), IDCANCEL);
    KillTimer(nullptr, closer);
    headless::Reset();
}

} // namespace
} // namespace platform
