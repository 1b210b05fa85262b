// Window and thread timers on the virtual clock.
#include "WindowTestSupport.h"

namespace windowtest {
namespace {

struct TimerCall {
    HWND hwnd;
    UINT_PTR id;
    DWORD time;
};
std::vector<TimerCall> gCalls;
UINT_PTR gSelfKilling = 0;

void RecordTimer(HWND hwnd, UINT, UINT_PTR id, DWORD time)
{
    gCalls.push_back(TimerCall{hwnd, id, time});
}

void KillsItself(HWND hwnd, UINT, UINT_PTR id, DWORD time)
{
    gCalls.push_back(TimerCall{hwnd, id, time});
    KillTimer(hwnd, id);
    gSelfKilling = id;
}

class TimerTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        gCalls.clear();
    }
};

TEST_F(TimerTest, ThreadTimerCallsItsProcedureAtItsPeriod)
{
    DWORD start = GetTickCount();
    UINT_PTR id = SetTimer(nullptr, 0, 100, RecordTimer);
    ASSERT_NE(id, 0u);
    UINT_PTR other = SetTimer(nullptr, 0, 100, RecordTimer);
    EXPECT_NE(other, id); // a new id each time
    KillTimer(nullptr, other);
    headless::RunFor(90);
    EXPECT_TRUE(gCalls.empty());
    headless::RunFor(260);
    ASSERT_EQ(gCalls.size(), 3u);
    for (std::size_t i = 0; i < gCalls.size(); ++i) {
        EXPECT_EQ(gCalls[i].hwnd, nullptr);
        EXPECT_EQ(gCalls[i].id, id);
        EXPECT_EQ(gCalls[i].time, start + 100 * DWORD(i + 1));
    }
    // Setting the same thread timer again resets it rather than adding one.
    EXPECT_EQ(SetTimer(nullptr, id, 1000, RecordTimer), id);
    headless::RunFor(999);
    EXPECT_EQ(gCalls.size(), 3u);
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST_F(TimerTest, WindowTimerGoesToTheWindowOrItsProcedure)
{
    HWND h = Top(Bounds(0, 0, 10, 10));
    EXPECT_EQ(SetTimer(h, 5, 50, nullptr), 5u);
    EXPECT_EQ(SetTimer(h, 6, 70, RecordTimer), 6u);
    headless::ProcessMessages();
    gLog.clear();
    headless::RunFor(140);
    EXPECT_EQ(Count(h, WM_TIMER), 2); // at 50 and 100; the timer with a procedure never reaches the window
    EXPECT_EQ(Last(h, WM_TIMER)->wParam, 5u);
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[0].hwnd, h);
    EXPECT_EQ(gCalls[0].id, 6u);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x1234), 1, 10, nullptr), 0u);
}

TEST_F(TimerTest, KillingATimerInsideItsHandlerStopsIt)
{
    HWND h = Top(Bounds(0, 0, 10, 10));
    gHandler = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER)
            KillTimer(hwnd, wParam);
        return std::nullopt;
    };
    SetTimer(h, 1, 10, nullptr);
    UINT_PTR thread = SetTimer(nullptr, 0, 10, KillsItself);
    headless::RunFor(200);
    EXPECT_EQ(Count(h, WM_TIMER), 1);
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gSelfKilling, thread);
}

TEST_F(TimerTest, TimersDieWithTheirWindow)
{
    HWND h = Top(Bounds(0, 0, 10, 10));
    SetTimer(h, 1, 10, RecordTimer);
    SetTimer(h, 2, 10, nullptr);
    headless::AdvanceClock(20);
    DestroyWindow(h);
    headless::RunFor(100);
    EXPECT_TRUE(gCalls.empty());
    EXPECT_FALSE(KillTimer(h, 1));
    EXPECT_FALSE(KillTimer(h, 2));
}

TEST_F(TimerTest, GetMessageWaitsForTheNextTimer)
{
    DWORD start = GetTickCount();
    SetTimer(nullptr, 0, 250, RecordTimer);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_EQ(GetTickCount() - start, 250u); // the virtual clock jumped straight to the deadline
    DispatchMessage(&msg);
    EXPECT_EQ(gCalls.size(), 1u);
}

} // namespace
} // namespace windowtest
