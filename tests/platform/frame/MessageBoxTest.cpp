#include "platform/frame/MessageBox.h"

#include "platform/frame/DefaultFrame.h"
#include "platform/window/Hook.h"
#include "platform/image/Image.h"
#include "platform/window/Message.h"
#include "platform/frame/MessageIcon.h"
#include "platform/core/Screen.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

using namespace platform;

namespace {

constexpr StringView kTitle = u"Lumo TV Player";

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeWindow(DWORD style, RECT r, HWND parent, StringView text = u"Окно")
{
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, u"FrameTestWindow", &wc)) {
        wc.lpfnWndProc = PlainProc;
        wc.lpszClassName = u"FrameTestWindow";
        wc.hbrBackground = GetSysColor(COLOR_BTNFACE);
        RegisterClass(wc);
    }
    return CreateWindowEx(0, u"FrameTestWindow", text, style, r.left, r.top, r.Width(), r.Height(), parent, nullptr,
                          nullptr, nullptr);
}

POINT Centre(RECT r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT ScreenRectOf(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// Runs a message box and, from inside its modal loop, the action (given the box's window). A
// watchdog ends a box that the action failed to close, so a fault fails the test instead of
// hanging it.
std::function<void(HWND)> g_action;
bool g_actionRan = false;

void ActionTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_actionRan = true;
    HWND box = FindWindow(kMessageBoxClass, {});
    auto action = g_action;
    if (action)
        action(box);
}

void WatchdogTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (HWND box = FindWindow(kMessageBoxClass, {})) {
        ADD_FAILURE() << "the message box was still open";
        DestroyWindow(box);
    }
}

int RunBox(HWND owner, StringView text, UINT type, std::function<void(HWND)> action)
{
    g_action = std::move(action);
    g_actionRan = false;
    const UINT_PTR act = SetTimer(nullptr, 0, 50, ActionTimer);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 60000, WatchdogTimer);
    const int answer = MessageBox(owner, text, kTitle, type);
    KillTimer(nullptr, act);
    KillTimer(nullptr, watchdog);
    EXPECT_TRUE(g_actionRan);
    g_action = nullptr;
    return answer;
}

class MessageBoxTest : public testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
};

int g_dialogsCreated = 0;
HHOOK g_hook = nullptr;

LRESULT CountDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam);
        if (create->lpcs->lpszClass == kMessageBoxClass)
            ++g_dialogsCreated;
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

TEST_F(MessageBoxTest, HeadlessDefaultAnswerReturnsAtOnceAndLogsOneLine)
{
    AnswerMessageBoxesAtOnce(true);
    g_dialogsCreated = 0;
    g_hook = SetWindowsHookEx(WH_CBT, CountDialogs, nullptr, 0);

    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, u"Первая строка\r\nвторая\nтретья", u"Ошибка", MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP),
              IDNO);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "MessageBox: Ошибка: Первая строка вторая третья\n");

    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, u"x", u"t", MB_OK), IDOK);
    EXPECT_EQ(MessageBox(nullptr, u"x", u"t", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, u"x", u"t", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
    EXPECT_EQ(MessageBox(nullptr, u"x", u"t", MB_RETRYCANCEL), IDRETRY);
    // A default button beyond the set falls back to the first.
    EXPECT_EQ(MessageBox(nullptr, u"x", u"t", MB_OKCANCEL | MB_DEFBUTTON3), IDOK);
    std::string five;
    for (int i = 0; i < 5; ++i)
        five += "MessageBox: t: x\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), five);
    UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(g_dialogsCreated, 0);
}

TEST_F(MessageBoxTest, EnterAnswersTheDefaultButton)
{
    g_dialogsCreated = 0;
    g_hook = SetWindowsHookEx(WH_CBT, CountDialogs, nullptr, 0);
    testing::internal::CaptureStderr();
    const int answer = RunBox(nullptr, u"Сбросить настройки?", MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION,
                              [](HWND box) {
                                  ASSERT_TRUE(box);
                                  EXPECT_EQ(GetClassName(box), kMessageBoxClass);
                                  EXPECT_EQ(GetWindowText(box), kTitle);
                                  EXPECT_EQ(GetFocus(), GetDlgItem(box, IDNO));
                                  EXPECT_EQ(GetActiveWindow(), box);
                                  headless::KeyDown(VK_RETURN);
                                  headless::KeyUp(VK_RETURN);
                              });
    // Shown boxes are logged too.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "MessageBox: Lumo TV Player: Сбросить настройки?\n");
    UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(answer, IDNO);
    // The dialog hook sees a "#32770" window being created, so a skin can take it over.
    EXPECT_EQ(g_dialogsCreated, 1);
    EXPECT_FALSE(FindWindow(kMessageBoxClass, {}));
}

TEST_F(MessageBoxTest, EscapeAndCloseCancelWhenTheBoxAllowsIt)
{
    auto escape = [](HWND) {
        headless::KeyDown(VK_ESCAPE);
        headless::KeyUp(VK_ESCAPE);
    };
    EXPECT_EQ(RunBox(nullptr, u"a", MB_OKCANCEL, escape), IDCANCEL);
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNOCANCEL, escape), IDCANCEL);
    EXPECT_EQ(RunBox(nullptr, u"a", MB_OK, escape), IDOK);
    EXPECT_EQ(RunBox(nullptr, u"a", MB_OKCANCEL, [](HWND box) { SendMessage(box, WM_CLOSE, 0, 0); }), IDCANCEL);
    // The close button of the box's frame.
    EXPECT_EQ(RunBox(nullptr, u"a", MB_RETRYCANCEL | MB_ICONSTOP,
                     [](HWND box) {
                         FrameInfo info;
                         info.style = DWORD(GetWindowLongPtr(box, GWL_STYLE));
                         info.exStyle = DWORD(GetWindowLongPtr(box, GWL_EXSTYLE));
                         info.windowRect = ScreenRectOf(box);
                         RECT close = DefaultFrame(info).ButtonRect(HTCLOSE);
                         ASSERT_FALSE(close.IsEmpty());
                         OffsetRect(&close, info.windowRect.left, info.windowRect.top);
                         headless::Click(Centre(close));
                     }),
              IDCANCEL);

    // Yes and No without Cancel: Escape and the close message are refused, there is no close
    // button, and the box stays until a button answers.
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNO,
                     [](HWND box) {
                         EXPECT_FALSE(GetWindowLongPtr(box, GWL_STYLE) & WS_SYSMENU);
                         SendMessage(box, WM_CLOSE, 0, 0);
                         EXPECT_TRUE(IsWindow(box));
                         headless::KeyDown(VK_ESCAPE);
                         headless::KeyDown(VK_RETURN);
                     }),
              IDYES);
}

int g_helpAsked = 0;

LRESULT HelpCountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_HELP)
        ++g_helpAsked;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(MessageBoxTest, HelpAsksTheOwnerAndLeavesTheBoxOpen)
{
    WNDCLASS wc;
    wc.lpfnWndProc = HelpCountingProc;
    wc.lpszClassName = u"HelpOwner";
    RegisterClass(wc);
    HWND owner = CreateWindowEx(0, u"HelpOwner", u"Владелец", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
    g_helpAsked = 0;
    const int answer = RunBox(owner, u"a", MB_OK | MB_HELP, [](HWND box) {
        HWND help = GetDlgItem(box, IDHELP);
        ASSERT_TRUE(help);
        EXPECT_EQ(GetWindowText(help), u"Справка");
        headless::Click(Centre(ScreenRectOf(help)));
        headless::ProcessMessages();
        EXPECT_EQ(g_helpAsked, 1);
        EXPECT_TRUE(IsWindowVisible(box));
        // A lone OK beside Help still lets Escape out.
        headless::KeyDown(VK_ESCAPE);
        headless::KeyUp(VK_ESCAPE);
    });
    EXPECT_EQ(answer, IDOK);
    DestroyWindow(owner);
}

TEST_F(MessageBoxTest, ClickingAButtonAnswersIt)
{
    EXPECT_EQ(RunBox(nullptr, u"Не удалось загрузить скин.", MB_ABORTRETRYIGNORE | MB_ICONWARNING,
                     [](HWND box) {
                         HWND retry = GetDlgItem(box, IDRETRY);
                         ASSERT_TRUE(retry);
                         EXPECT_EQ(GetWindowText(retry), u"Повтор");
                         headless::Click(Centre(ScreenRectOf(retry)));
                     }),
              IDRETRY);
    // Pressing on a button and releasing elsewhere answers nothing; the next click does.
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNO,
                     [](HWND box) {
                         const RECT yes = ScreenRectOf(GetDlgItem(box, IDYES));
                         headless::MouseMove(Centre(yes));
                         headless::MouseDown(Centre(yes));
                         headless::MouseMove(POINT{yes.left - 30, yes.top - 30});
                         headless::MouseUp(POINT{yes.left - 30, yes.top - 30});
                         headless::Click(Centre(ScreenRectOf(GetDlgItem(box, IDNO))));
                     }),
              IDNO);
}

TEST_F(MessageBoxTest, TabAndArrowsMoveTheFocusAmongTheButtons)
{
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNOCANCEL,
                     [](HWND box) {
                         EXPECT_EQ(GetFocus(), GetDlgItem(box, IDYES));
                         headless::KeyDown(VK_TAB);
                         headless::KeyDown(VK_TAB);
                         headless::KeyDown(VK_RETURN);
                     }),
              IDCANCEL);
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNOCANCEL,
                     [](HWND) {
                         headless::KeyDown(VK_SHIFT);
                         headless::KeyDown(VK_TAB);
                         headless::KeyUp(VK_SHIFT);
                         headless::KeyDown(VK_RETURN);
                     }),
              IDCANCEL);
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNOCANCEL | MB_DEFBUTTON3,
                     [](HWND) {
                         headless::KeyDown(VK_LEFT);
                         headless::KeyDown(VK_SPACE);
                         headless::KeyUp(VK_SPACE);
                     }),
              IDNO);
}

TEST_F(MessageBoxTest, OwnerAndOtherWindowsAreDisabledWhileItRunsAndGetFocusBack)
{
    HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 80, 600, 400), nullptr, u"Главное");
    HWND field = MakeWindow(WS_CHILD | WS_VISIBLE, Bounds(20, 20, 120, 24), owner);
    HWND other = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(800, 100, 300, 200), nullptr, u"Другое");
    HWND alreadyDisabled = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(800, 400, 300, 200), nullptr);
    EnableWindow(alreadyDisabled, false);
    SetActiveWindow(owner);
    SetFocus(field);
    headless::ProcessMessages();
    ASSERT_EQ(GetFocus(), field);

    const int answer = RunBox(field, u"Вопрос", MB_OKCANCEL | MB_ICONQUESTION, [&](HWND box) {
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_FALSE(IsWindowEnabled(other));
        EXPECT_TRUE(IsWindowEnabled(box));
        // Owned by the top-level window of the child it was given, and centred on it.
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
        const POINT boxCentre = Centre(ScreenRectOf(box)), ownerCentre = Centre(ScreenRectOf(owner));
        EXPECT_NEAR(boxCentre.x, ownerCentre.x, 1);
        EXPECT_NEAR(boxCentre.y, ownerCentre.y, 1);
        // A click on the disabled owner does nothing.
        headless::Click(POINT{300, 300});
        headless::Click(Centre(ScreenRectOf(GetDlgItem(box, IDOK))));
    });
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsWindowEnabled(alreadyDisabled));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(MessageBoxTest, WithoutOwnerTheActiveWindowOwnsIt)
{
    HWND main = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(50, 50, 400, 300), nullptr);
    SetActiveWindow(main);
    headless::ProcessMessages();
    RunBox(nullptr, u"a", MB_OK, [&](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main));
        headless::KeyDown(VK_RETURN);
    });
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(GetActiveWindow(), main);
}

TEST_F(MessageBoxTest, EndsCleanlyWhenItsOwnerIsDestroyedOrTheLoopIsToldToQuit)
{
    HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(50, 50, 400, 300), nullptr);
    HWND other = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(500, 50, 300, 300), nullptr);
    EXPECT_EQ(RunBox(owner, u"a", MB_OKCANCEL, [&](HWND) { DestroyWindow(owner); }), IDCANCEL);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(FindWindow(kMessageBoxClass, {}));

    // WM_QUIT ends the box and is handed on to the outer loop.
    EXPECT_EQ(RunBox(nullptr, u"a", MB_YESNO | MB_DEFBUTTON2, [](HWND) { PostQuitMessage(3); }), IDNO);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, WPARAM(3));
}

TEST_F(MessageBoxTest, ALongTextWrapsAndTheBoxStaysOnTheWorkArea)
{
    String text;
    for (int i = 0; i < 400; ++i)
        text += u"слово ";
    RunBox(nullptr, text, MB_OK | MB_ICONINFORMATION, [](HWND box) {
        const RECT r = ScreenRectOf(box), area = GetWorkArea();
        RECT inside;
        IntersectRect(&inside, r, area);
        EXPECT_EQ(inside, r);
        EXPECT_LT(r.Width(), area.Width());
        EXPECT_GT(r.Height(), 100); // wrapped into many lines, not one endless line
        headless::KeyDown(VK_RETURN);
    });
}

TEST_F(MessageBoxTest, ShowsIconTextAndButtonsOnScreen)
{
    HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(140, 120, 640, 420), nullptr, u"Lumo TV Player");
    SetActiveWindow(owner);
    headless::ProcessMessages();
    RunBox(owner, u"Сбросить все настройки программы к значениям по умолчанию?", MB_OKCANCEL | MB_ICONQUESTION,
           [](HWND box) {
               headless::ProcessMessages();
               const Bitmap shot = headless::WindowShot(box);
               RECT client;
               GetClientRect(box, &client);
               POINT origin{0, 0};
               ClientToScreen(box, &origin);
               const RECT window = ScreenRectOf(box);
               const LONG ox = origin.x - window.left, oy = origin.y - window.top;
               // The question icon is blue; the text is dark on white.
               int blue = 0, dark = 0;
               for (int y = oy; y < oy + 60; ++y) {
                   for (int x = ox; x < shot.Width(); ++x) {
                       const PixelBGRA p = shot.Pixel(x, y);
                       blue += PixelB(p) > 150 && PixelR(p) < 120;
                       dark += PixelR(p) < 80 && PixelG(p) < 80 && PixelB(p) < 80;
                   }
               }
               EXPECT_GT(blue, 200);
               EXPECT_GT(dark, 100);
               // The buttons carry their captions.
               EXPECT_EQ(GetWindowText(GetDlgItem(box, IDOK)), u"ОК");
               EXPECT_EQ(GetWindowText(GetDlgItem(box, IDCANCEL)), u"Отмена");
               if (const char* dir = std::getenv("LUMO_RENDER_DIR")) {
                   headless::SaveScreenshot(std::string(dir) + "/messagebox-screen.png");
                   SavePng(shot, std::string(dir) + "/messagebox.png");
               }
               headless::KeyDown(VK_ESCAPE);
           });
}

TEST(MessageBoxText, ButtonCaptionsAreRussian)
{
    EXPECT_EQ(MessageBoxButtonText(IDOK), u"ОК");
    EXPECT_EQ(MessageBoxButtonText(IDCANCEL), u"Отмена");
    EXPECT_EQ(MessageBoxButtonText(IDYES), u"Да");
    EXPECT_EQ(MessageBoxButtonText(IDNO), u"Нет");
    EXPECT_EQ(MessageBoxButtonText(IDABORT), u"Прервать");
    EXPECT_EQ(MessageBoxButtonText(IDRETRY), u"Повтор");
    EXPECT_EQ(MessageBoxButtonText(IDIGNORE), u"Пропустить");
    EXPECT_TRUE(MessageBoxButtonText(99).empty());
    EXPECT_TRUE(MessageBeep(MB_ICONSTOP));
}

TEST(MessageIcons, EachTypeHasItsOwnOpaqueCentredPicture)
{
    EXPECT_EQ(MessageIconFromType(MB_ICONSTOP | MB_OK), MessageIcon::Stop);
    EXPECT_EQ(MessageIconFromType(MB_ICONQUESTION | MB_YESNO), MessageIcon::Question);
    EXPECT_EQ(MessageIconFromType(MB_ICONWARNING), MessageIcon::Warning);
    EXPECT_EQ(MessageIconFromType(MB_ICONINFORMATION | MB_DEFBUTTON2), MessageIcon::Information);
    EXPECT_EQ(MessageIconFromType(MB_OKCANCEL), MessageIcon::None);
    EXPECT_EQ(GetMessageIcon(MessageIcon::None), nullptr);
    const MessageIcon kinds[] = {MessageIcon::Stop, MessageIcon::Question, MessageIcon::Warning,
                                 MessageIcon::Information};
    for (MessageIcon a : kinds) {
        HICON icon = GetMessageIcon(a);
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->Width(), kMessageIconSize);
        EXPECT_EQ(icon->Height(), kMessageIconSize);
        EXPECT_EQ(PixelA(icon->Pixel(16, 16)), 255);
        EXPECT_EQ(PixelA(icon->Pixel(0, 0)), 0); // transparent corners
        for (MessageIcon b : kinds) {
            if (a != b) {
                EXPECT_FALSE(*icon == *GetMessageIcon(b));
            }
        }
    }
    // Question and information share the badge but not the sign.
    EXPECT_NE(GetMessageIcon(MessageIcon::Question)->Pixel(12, 11),
              GetMessageIcon(MessageIcon::Information)->Pixel(12, 11));
}
