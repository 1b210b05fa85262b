#include "toolkit/FormTester.h"
#include "toolkit/TCustomControl.h"
#include "toolkit/TForm.h"
#include "toolkit/TScreen.h"

#include "platform/window/Message.h"
#include "platform/frame/MessageBox.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace toolkit;
using namespace platform;

namespace {

class TPad : public TCustomControl {
public:
    explicit TPad(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

std::vector<std::u16string>* creationLog = nullptr;

class TLoggedPad : public TPad {
public:
    using TPad::TPad;

protected:
    void Loaded() override
    {
        TPad::Loaded();
        if (creationLog)
            creationLog->push_back(Name() + u" loaded");
    }
};

class TFirstForm : public TForm {
public:
    explicit TFirstForm(TComponent* owner) : TForm(owner)
    {
        SetName(u"FirstForm");
        SetCaption(u"Lumo TV Player");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetPosition(poScreenCenter);
        SetClientWidth(659);
        SetClientHeight(533);
        pad = new TLoggedPad(this);
        pad->SetName(u"pad");
        pad->SetParent(this);
        pad->SetBounds(10, 10, 100, 30);
        OnCreate = [this](TObject*) {
            if (creationLog)
                creationLog->push_back(u"create " + Name());
        };
    }
    TPad* pad;
};

class TSecondForm : public TForm {
public:
    explicit TSecondForm(TComponent* owner) : TForm(owner)
    {
        SetName(u"SecondForm");
        SetCaption(u"Настройки");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu});
        SetPosition(poMainFormCenter);
        SetClientWidth(494);
        SetClientHeight(290);
        first = new TPad(this);
        first->SetParent(this);
        first->SetBounds(10, 10, 100, 30);
        second = new TPad(this);
        second->SetParent(this);
        second->SetBounds(10, 50, 100, 30);
    }
    TPad *first, *second;
};

TFirstForm* g_first = nullptr;

class TThrowingForm : public TForm {
public:
    explicit TThrowingForm(TComponent* owner) : TForm(owner)
    {
        OnCreate = [this](TObject*) {
            sawFirst = g_first != nullptr;
            throw EConvertError(u"'abc' is not a valid integer value");
            reachedEnd = true;
        };
    }
    bool sawFirst = false;
    bool reachedEnd = false;
};

class FormTest : public testing::Test {
protected:
    void SetUp() override { platform::AnswerMessageBoxesAtOnce(false); }
    void TearDown() override { platform::AnswerMessageBoxesAtOnce(false); }
};

RECT WindowRectOf(TWinControl* c)
{
    RECT r{};
    GetWindowRect(c->Handle(), &r);
    return r;
}

} // namespace

TEST_F(FormTest, FormsAreBuiltLoadedAndCreatedInOrderAndTheFirstIsTheMainForm)
{
    FormTester tester;
    std::vector<std::u16string> log;
    creationLog = &log;
    tester.App().CreateForm(g_first);
    platform::AnswerMessageBoxesAtOnce(true);
    testing::internal::CaptureStderr();
    TThrowingForm* throwing = nullptr;
    tester.App().CreateForm(throwing);
    std::string report = testing::internal::GetCapturedStderr();
    TSecondForm* second = nullptr;
    tester.App().CreateForm(second);
    creationLog = nullptr;

    EXPECT_EQ(log, (std::vector<std::u16string>{u"pad loaded", u"create FirstForm"}));
    EXPECT_EQ(tester.App().MainForm(), g_first);
    // The creation handler's error is reported; the rest of it is skipped and start-up goes on.
    ASSERT_NE(throwing, nullptr);
    EXPECT_TRUE(throwing->sawFirst);
    EXPECT_FALSE(throwing->reachedEnd);
    EXPECT_EQ(report, "MessageBox: " + Utf16ToUtf8(tester.App().Title()) + ": 'abc' is not a valid integer value.\n");
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(Screen->FormCount(), 3);
    // Created hidden.
    EXPECT_FALSE(g_first->Visible());
    g_first = nullptr;
}

TEST_F(FormTest, FramesSizesPositionsAndOwnersFollowTheProperties)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    TSecondForm* second = nullptr;
    tester.App().MainFormOnTaskBar = true;
    tester.App().CreateForm(main);
    tester.App().CreateForm(second);
    main->Show();
    tester.Pump();

    RECT client{};
    GetClientRect(main->Handle(), &client);
    EXPECT_EQ(client.Width(), 659);
    EXPECT_EQ(client.Height(), 533);
    const LONG_PTR style = GetWindowLongPtr(main->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtr(main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindowText(main->Handle()), u"Lumo TV Player");

    // In the middle of the screen.
    RECT r = WindowRectOf(main);
    EXPECT_EQ(r.left, (1280 - r.Width()) / 2);
    EXPECT_EQ(r.top, (1024 - r.Height()) / 2);

    // Other forms belong to the main form and are centred on it when shown.
    second->Show();
    tester.Pump();
    EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), main->Handle());
    EXPECT_FALSE(GetWindowLongPtr(second->Handle(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT s = WindowRectOf(second);
    EXPECT_EQ(s.left, r.left + (r.Width() - s.Width()) / 2);
    EXPECT_EQ(s.top, r.top + (r.Height() - s.Height()) / 2);
    EXPECT_EQ(GetActiveWindow(), second->Handle());

    // Showing a visible form brings it to the front.
    main->Show();
    tester.Pump();
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    second->Show();
    tester.Pump();
    EXPECT_EQ(GetActiveWindow(), second->Handle());
    EXPECT_EQ(headless::Current().Stacking().front(), second->Handle());
}

TEST_F(FormTest, CloseActionsHideMinimiseFreeOrKeepTheForm)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    TSecondForm* second = nullptr;
    tester.App().CreateForm(main);
    tester.App().CreateForm(second);
    main->Show();
    second->Show();
    tester.Pump();

    TCloseAction next = caNone;
    int closes = 0;
    second->OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide);
        action = next;
        ++closes;
    };
    SendMessage(second->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(second->Visible());
    next = caHide;
    SendMessage(second->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    tester.Pump();
    EXPECT_FALSE(second->Visible());
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    EXPECT_FALSE(tester.App().Terminated());

    bool canClose = false;
    second->OnCloseQuery = [&](TObject*, bool& ok) { ok = canClose; };
    second->Show();
    second->Close();
    EXPECT_TRUE(second->Visible());
    EXPECT_EQ(closes, 2);
    canClose = true;

    next = caMinimize;
    second->Close();
    tester.Pump();
    EXPECT_TRUE(IsIconic(second->Handle()));
    EXPECT_EQ(second->WindowState(), wsMinimized);

    int destroyed = 0;
    second->OnDestroy = [&](TObject*) { ++destroyed; };
    next = caFree;
    second->Close();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(Screen->FormCount(), 2);
    tester.Pump();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(Screen->FormCount(), 1);

    // Closing the main form ends the program, whatever it is.
    main->Close();
    tester.App().ProcessMessages();
    EXPECT_TRUE(tester.App().Terminated());
}

TEST_F(FormTest, RunEndsWhenTheMainFormCloses)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    tester.App().CreateForm(main);
    bool shownInRun = false;
    main->OnShow = [&](TObject*) { shownInRun = true; };
    tester.WhenModal([&] {
        EXPECT_TRUE(IsWindowVisible(main->Handle()));
        PostMessage(main->Handle(), WM_CLOSE, 0, 0);
    });
    tester.App().Run();
    EXPECT_TRUE(shownInRun);
    EXPECT_TRUE(tester.App().Terminated());
}

TEST_F(FormTest, ShowModalDisablesTheOtherWindowsAndGivesTheFocusBack)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    TSecondForm* dialog = nullptr;
    tester.App().CreateForm(main);
    tester.App().CreateForm(dialog);
    main->Show();
    tester.Pump();
    main->pad->SetFocus();
    ASSERT_EQ(GetFocus(), main->pad->Handle());

    bool checked = false;
    tester.WhenModal([&] {
        checked = true;
        EXPECT_FALSE(IsWindowEnabled(main->Handle()));
        EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
        EXPECT_EQ(GetActiveWindow(), dialog->Handle());
        EXPECT_EQ(GetFocus(), dialog->first->Handle());
        EXPECT_TRUE(dialog->FormState().Contains(fsModal));
        // A click on the disabled main form does nothing.
        headless::Click(FormTester::ScreenPoint(main->pad));
        tester.Pump();
        EXPECT_EQ(GetActiveWindow(), dialog->Handle());
        dialog->SetModalResult(mrYes);
    });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    EXPECT_EQ(GetFocus(), main->pad->Handle());

    // Closing a modal form answers Cancel; a visible form cannot be made modal.
    tester.WhenModal([&] { PostMessage(dialog->Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_THROW(main->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, TheErrorReportAddsAPeriodWhenTheLastCharacterIsAboveIt)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    tester.App().CreateForm(main);
    tester.App().SetTitle(u"Lumo TV Player");
    main->Show();
    tester.Pump();
    std::u16string message;
    bool reachedEnd = false;
    main->pad->OnClick = [&](TObject*) {
        throw Exception(message);
        reachedEnd = true;
    };
    platform::AnswerMessageBoxesAtOnce(true);
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"Unable to write to c:\\Config.ini", "Unable to write to c:\\Config.ini."},
        {u"Готово.", "Готово."},
        {u"Сбой", "Сбой."},
        {u"Why?", "Why?."},
        {u"Stop!", "Stop!"},
        {u"(see log)", "(see log)"},
        {u"range 1-", "range 1-"},
        {u"value 1", "value 1."},
        {u"", ""},
    };
    for (const auto& [text, expected] : cases) {
        message = text;
        testing::internal::CaptureStderr();
        tester.Click(main->pad);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "MessageBox: Lumo TV Player: " + expected + "\n");
    }
    EXPECT_FALSE(reachedEnd);
    // The program goes on.
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(tester.App().Terminated());
}

TEST_F(FormTest, TheErrorReportIsTheSystemBoxWithAStopIconAndOneButton)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    tester.App().CreateForm(main);
    tester.App().SetTitle(u"Lumo TV Player");
    main->Show();
    tester.Pump();
    main->pad->OnClick = [](TObject*) { throw EConvertError(u"'x' is not a valid integer value"); };

    Bitmap reported, expected;
    tester.WhenModal([&] {
        HWND box = FormTester::ActiveModalWindow();
        ASSERT_TRUE(box);
        EXPECT_EQ(GetClassName(box), kMessageBoxClass);
        EXPECT_EQ(GetWindowText(box), u"Lumo TV Player");
        EXPECT_FALSE(IsWindowEnabled(main->Handle()));
        reported = headless::WindowShot(box);
        headless::KeyDown(VK_RETURN);
        headless::KeyUp(VK_RETURN);
    });
    testing::internal::CaptureStderr();
    headless::Click(FormTester::ScreenPoint(main->pad));
    tester.Pump();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_EQ(GetActiveWindow(), main->Handle());

    tester.WhenModal([&] {
        expected = headless::WindowShot(FormTester::ActiveModalWindow());
        headless::KeyDown(VK_RETURN);
        headless::KeyUp(VK_RETURN);
    });
    testing::internal::CaptureStderr();
    platform::MessageBox(main->Handle(), u"'x' is not a valid integer value.", u"Lumo TV Player", MB_OK | MB_ICONSTOP);
    testing::internal::GetCapturedStderr();
    ASSERT_FALSE(reported.IsEmpty());
    EXPECT_TRUE(reported == expected);
}

TEST_F(FormTest, AFormMadeVisibleWhileBuiltIsShownOnceCompleteAndPlainNewFormsCompleteOnShow)
{
    FormTester tester;
    struct TVisibleForm : TForm {
        explicit TVisibleForm(TComponent* owner) : TForm(owner)
        {
            SetVisible(true);
            OnShow = [this](TObject*) { shownAfterCreate = created; };
            OnCreate = [this](TObject*) { created = true; };
        }
        bool created = false;
        bool shownAfterCreate = false;
    };
    auto* visible = tester.CreateForm<TVisibleForm>();
    tester.Pump();
    EXPECT_TRUE(IsWindowVisible(visible->Handle()));
    EXPECT_TRUE(visible->shownAfterCreate);

    auto* plain = new TFirstForm(&tester.App());
    EXPECT_TRUE(plain->ComponentState().Contains(csLoading));
    plain->Show();
    tester.Pump();
    EXPECT_FALSE(plain->ComponentState().Contains(csLoading));
    EXPECT_TRUE(IsWindowVisible(plain->Handle()));
    RECT client{};
    GetClientRect(plain->Handle(), &client);
    EXPECT_EQ(client.Width(), 659);
}

TEST_F(FormTest, TheWindowShowsTheFormsIconOrElseTheApplicationsIcon)
{
    FormTester tester;
    TFirstForm* main = nullptr;
    TSecondForm* second = nullptr;
    tester.App().CreateForm(main);
    tester.App().CreateForm(second);
    Bitmap appIcon(16, 16);
    appIcon.Fill(MakePixel(0, 0, 255));
    tester.App().Icon()->SetBitmap(appIcon);
    Bitmap own(64, 64);
    own.Fill(MakePixel(255, 0, 0));
    main->Icon()->SetBitmap(own);
    main->Show();
    second->Show();
    tester.Pump();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(main->Handle(), WM_GETICON, ICON_BIG, 0)), main->Icon()->Handle());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(second->Handle(), WM_GETICON, ICON_BIG, 0)),
              tester.App().Icon()->Handle());
    EXPECT_EQ(main->Icon()->Handle()->Width(), 64);
}
