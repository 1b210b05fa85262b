// Creation and destruction order, sending and posting, nested loops, WM_COPYDATA.
#include "WindowTestSupport.h"

#include <cstring>
#include <string>
#include <thread>

namespace windowtest {
namespace {

constexpr UINT kHookMark = 0xFFFF0000u;
HWND gCbtWindow = nullptr;
bool gRefuseCreate = false;

LRESULT RecordingCbt(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        gCbtWindow = reinterpret_cast<HWND>(wParam);
        gLog.push_back(Entry{gCbtWindow, kHookMark, 0, 0});
        auto* cbt = reinterpret_cast<CBT_CREATEWND*>(lParam);
        cbt->lpcs->cx += 1; // the hook may change the creation parameters
        if (gRefuseCreate)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

using MessageTest = WindowTest;

TEST_F(MessageTest, CreationSendsItsMessagesInOrder)
{
    gRefuseCreate = false;
    HHOOK hook = SetWindowsHookEx(WH_CBT, RecordingCbt, nullptr, GetCurrentThreadId());
    HWND h = CreateWindowEx(0, u"Test", u"Заголовок", WS_POPUP | WS_VISIBLE, 10, 20, 100, 50, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_TRUE(h);
    EXPECT_EQ(gCbtWindow, h);
    std::vector<UINT> expected{kHookMark,        WM_NCCREATE,          WM_NCCALCSIZE, WM_CREATE,
                               WM_SIZE,          WM_MOVE,              WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
                               WM_NCACTIVATE,    WM_ACTIVATE,          WM_SETFOCUS,   WM_WINDOWPOSCHANGED};
    EXPECT_EQ(MessagesOf(h, {kHookMark, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                             WM_WINDOWPOSCHANGING, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_WINDOWPOSCHANGED}),
              expected);
    EXPECT_EQ(GetWindowText(h), u"Заголовок");
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, Bounds(10, 20, 101, 50)); // as the hook left it
    EXPECT_EQ(GetActiveWindow(), h);
    EXPECT_EQ(GetFocus(), h);
    UnhookWindowsHookEx(hook);
}

TEST_F(MessageTest, CreationCanBeRefusedByTheHookOrByWmCreate)
{
    gRefuseCreate = true;
    HHOOK hook = SetWindowsHookEx(WH_CBT, RecordingCbt, nullptr, 0);
    EXPECT_EQ(Top(Bounds(0, 0, 50, 50)), nullptr);
    EXPECT_FALSE(IsWindow(gCbtWindow));
    EXPECT_EQ(MessagesOf(gCbtWindow), std::vector<UINT>{kHookMark}); // no message reached the window
    UnhookWindowsHookEx(hook);
    gRefuseCreate = false;

    gHandler = [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE)
            return -1;
        return std::nullopt;
    };
    gLog.clear();
    EXPECT_EQ(Top(Bounds(0, 0, 50, 50)), nullptr);
    ASSERT_FALSE(gLog.empty());
    HWND refused = gLog.front().hwnd;
    EXPECT_FALSE(IsWindow(refused));
    EXPECT_EQ(MessagesOf(refused, {WM_CREATE, WM_DESTROY, WM_NCDESTROY, WM_SHOWWINDOW}),
              (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(MessageTest, DestructionGoesOwnedFirstThenParentBeforeChildrenThenChildrenFirst)
{
    HWND parent = Top(Bounds(0, 0, 200, 200));
    HWND child = Child(parent, Bounds(10, 10, 50, 50));
    HWND grandchild = Child(child, Bounds(5, 5, 10, 10));
    HWND owned = Top(Bounds(50, 50, 80, 80), WS_POPUP | WS_VISIBLE, 0, child); // owner: child's top-level
    ASSERT_EQ(GetWindow(owned, GW_OWNER), parent);

    bool childAliveDuringParentDestroy = false;
    gHandler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (h == parent && msg == WM_DESTROY)
            childAliveDuringParentDestroy = IsWindow(child) && GetParent(child) == parent;
        return std::nullopt;
    };
    gLog.clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> expected{
        {owned, WM_DESTROY},      {owned, WM_NCDESTROY},      {parent, WM_DESTROY},     {child, WM_DESTROY},
        {grandchild, WM_DESTROY}, {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY},    {parent, WM_NCDESTROY}};
    EXPECT_EQ(Sequence({WM_DESTROY, WM_NCDESTROY}), expected);
    EXPECT_TRUE(childAliveDuringParentDestroy);
    for (HWND h : {parent, child, grandchild, owned})
        EXPECT_FALSE(IsWindow(h));

    // Dead handles are inert and never come back.
    gLog.clear();
    EXPECT_EQ(SendMessage(parent, WM_USER, 1, 2), 0);
    EXPECT_FALSE(PostMessage(child, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_TRUE(gLog.empty());
    for (int i = 0; i < 20; ++i) {
        HWND fresh = Top(Bounds(0, 0, 10, 10));
        for (HWND old : {parent, child, grandchild, owned})
            EXPECT_NE(fresh, old);
        DestroyWindow(fresh);
    }
}

TEST_F(MessageTest, DestroyingTheFocusedAndActiveWindowHandsActivationOn)
{
    HWND first = Top(Bounds(0, 0, 100, 100));
    HWND second = Top(Bounds(20, 20, 100, 100));
    HWND edit = Child(second, Bounds(0, 0, 10, 10));
    SetFocus(edit);
    ASSERT_EQ(GetActiveWindow(), second);
    SetCapture(edit);
    gLog.clear();
    DestroyWindow(second);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Count(edit, WM_KILLFOCUS), 1);
    EXPECT_EQ(Count(edit, WM_CAPTURECHANGED), 1);
}

TEST_F(MessageTest, SendMessageIsDirectAndReentrant)
{
    HWND h = Top(Bounds(0, 0, 10, 10));
    std::vector<int> trace;
    gHandler = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_USER)
            return std::nullopt;
        trace.push_back(int(wParam));
        LRESULT inner = wParam < 3 ? SendMessage(hwnd, WM_USER, wParam + 1, 0) : 0;
        trace.push_back(-int(wParam));
        return inner + LRESULT(wParam);
    };
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0 + 1 + 2 + 3);
    EXPECT_EQ(trace, (std::vector<int>{0, 1, 2, 3, -3, -2, -1, 0}));
    EXPECT_FALSE(InSendMessage());
}

TEST_F(MessageTest, PostedComeBeforeInputBeforePaintBeforeTimers)
{
    HWND h = Top(Bounds(0, 0, 100, 100));
    headless::ProcessMessages();
    SetTimer(h, 1, 10, nullptr);
    headless::AdvanceClock(20);
    InvalidateRect(h, nullptr, false);
    headless::MouseDown(POINT{5, 5});
    PostMessage(h, WM_USER + 1, 0, 0);
    SendMessage(h, WM_USER + 2, 0, 0);
    gLog.erase(gLog.begin(), gLog.end() - 1);
    headless::ProcessMessages();
    EXPECT_EQ(MessagesOf(h, {WM_USER + 1, WM_USER + 2, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER}),
              (std::vector<UINT>{WM_USER + 2, WM_USER + 1, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageTest, QuitComesAfterThePostedMessagesAndFiltersApply)
{
    HWND a = Top(Bounds(0, 0, 10, 10));
    HWND b = Top(Bounds(0, 0, 10, 10));
    headless::ProcessMessages();
    PostQuitMessage(3);
    PostMessage(a, WM_USER, 0, 0);
    PostMessage(b, WM_USER + 5, 0, 0);
    PostThreadMessage(GetCurrentThreadId(), WM_USER + 9, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 5u);
    ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 9u);
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, a);
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, UINT(WM_USER));
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // taken once
}

TEST_F(MessageTest, NestedModalLoopEndsOnQuitAndPassesItOutward)
{
    HWND h = Top(Bounds(0, 0, 10, 10));
    headless::ProcessMessages();
    std::vector<std::string> trace;
    gHandler = [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER) {
            trace.push_back("modal begins");
            PostMessage(hwnd, WM_USER + 2, 0, 0);
            MSG m;
            while (GetMessage(&m, nullptr, 0, 0)) {
                TranslateMessage(&m);
                DispatchMessage(&m);
            }
            trace.push_back("modal ends " + std::to_string(m.wParam));
            PostQuitMessage(int(m.wParam));
            return 0;
        }
        if (msg == WM_USER + 1) {
            trace.push_back("quit asked");
            PostQuitMessage(7);
        }
        if (msg == WM_USER + 2)
            trace.push_back("inside the modal loop");
        return std::nullopt;
    };
    PostMessage(h, WM_USER, 0, 0);
    PostMessage(h, WM_USER + 1, 0, 0);
    MSG msg;
    int outer = 0;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        DispatchMessage(&msg);
        ++outer;
    }
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(outer, 1); // only WM_USER ran in the outer loop
    EXPECT_EQ(trace, (std::vector<std::string>{"modal begins", "quit asked", "inside the modal loop", "modal ends 7"}));
}

TEST_F(MessageTest, CopyDataCarriesItsBlock)
{
    HWND receiver = Top(Bounds(0, 0, 10, 10));
    HWND sender = Top(Bounds(0, 0, 10, 10));
    std::string received;
    ULONG_PTR tag = 0;
    gHandler = [&](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (h != receiver || msg != WM_COPYDATA)
            return std::nullopt;
        auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        EXPECT_EQ(reinterpret_cast<HWND>(wParam), sender);
        received.assign(static_cast<const char*>(cds->lpData), cds->cbData);
        tag = cds->dwData;
        return TRUE;
    };
    const char block[] = "skin\0block";
    COPYDATASTRUCT cds{7, sizeof(block), block};
    EXPECT_EQ(SendMessage(receiver, WM_COPYDATA, WPARAM(sender), LPARAM(&cds)), TRUE);
    EXPECT_EQ(received, std::string(block, sizeof(block)));
    EXPECT_EQ(tag, 7u);
}

TEST_F(MessageTest, OtherThreadsMayPostAndWakeTheLoop)
{
    headless::Reset(HeadlessOptions{{640, 480}, RGB(0, 0, 0), {}, false});
    WNDCLASS wc;
    wc.lpfnWndProc = TestProc;
    wc.lpszClassName = u"Test";
    RegisterClass(wc);
    HWND h = Top(Bounds(0, 0, 10, 10));
    headless::ProcessMessages();
    std::thread poster([h] {
        for (int i = 0; i < 100; ++i)
            PostMessage(h, WM_USER, WPARAM(i), 0);
        PostQuitMessage(0);
    });
    std::vector<WPARAM> seen;
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        if (msg.message == WM_USER)
            seen.push_back(msg.wParam);
    poster.join();
    ASSERT_EQ(seen.size(), 100u);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], i);
}

TEST_F(MessageTest, MouseMovesMergeAndKeysTranslateToCharacters)
{
    HWND h = Top(Bounds(0, 0, 100, 100));
    headless::ProcessMessages();
    gLog.clear();
    headless::MouseMove(POINT{1, 1});
    headless::MouseMove(POINT{2, 2});
    headless::MouseMove(POINT{30, 40});
    headless::TypeText(u"Ж");
    headless::KeyDown(VK_RETURN);
    headless::ProcessMessages();
    ASSERT_EQ(Count(h, WM_MOUSEMOVE), 1);
    EXPECT_EQ(Last(h, WM_MOUSEMOVE)->lParam, MAKELPARAM(30, 40));
    std::vector<WPARAM> chars;
    for (const Entry& e : gLog)
        if (e.hwnd == h && e.msg == WM_CHAR)
            chars.push_back(e.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{u'Ж', u'\r'}));
    EXPECT_LT(GetKeyState(VK_RETURN), 0);
}

TEST_F(MessageTest, TextPropertiesAndLongs)
{
    HWND h = Top(Bounds(0, 0, 10, 10));
    SetWindowText(h, u"Настройки");
    EXPECT_EQ(GetWindowTextLength(h), 9);
    WCHAR small[4];
    EXPECT_EQ(GetWindowText(h, small, 4), 3);
    EXPECT_EQ(String(small), u"Нас");
    int value = 5;
    EXPECT_TRUE(SetProp(h, u"Holder", &value));
    EXPECT_EQ(GetProp(h, u"Holder"), &value);
    EXPECT_EQ(RemoveProp(h, u"Holder"), &value);
    EXPECT_EQ(GetProp(h, u"Holder"), nullptr);
    SetWindowLongPtr(h, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_USERDATA), 1234);
    gLog.clear();
    LONG_PTR old = SetWindowLongPtr(h, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(old, 0);
    EXPECT_EQ(MessagesOf(h, {WM_STYLECHANGING, WM_STYLECHANGED}),
              (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    EXPECT_EQ(GetClassName(h), u"Test");
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(h, GWLP_WNDPROC));
    EXPECT_EQ(proc, &TestProc);
    EXPECT_FALSE(UnregisterClass(u"Test")); // a window of it exists
}

} // namespace
} // namespace windowtest
