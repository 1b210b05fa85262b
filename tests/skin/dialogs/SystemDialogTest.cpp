// System message boxes ("#32770") taken over by the dialog hook: the skinned frame, the wrapped
// buttons and texts, the level from which boxes stay plain, the rules, the manager's own boxes.
#include "DialogsTestSupport.h"

#include <cstdlib>

#include "skin/dialogs/TacButtonWnd.h"
#include "skin/dialogs/TacStaticWnd.h"
#include "skin/dialogs/sMessageDlg.h"

#include "platform/frame/MessageIcon.h"
#include "platform/image/Image.h"
#include "platform/frame/StaticControl.h"
#include "platform/window/Message.h"
#include "platform/window/Window.h"
#include "toolkit/TPopupMenuWindow.h"

using namespace platform;
using namespace skin;
using dialogstest::DialogsFixture;
using dialogstest::TopBox;
using dialogstest::WhileShown;

namespace {

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> out;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        out.push_back(w);
    return out;
}

int Count(const std::vector<HWND>& windows, StringView cls)
{
    int n = 0;
    for (HWND w : windows)
        n += GetClassName(w) == cls;
    return n;
}

PixelBGRA Opaque(PixelBGRA p) { return p | 0xFF000000u; }

class SystemDialogTest : public DialogsFixture {
protected:
    int Error(const std::function<void(HWND)>& check)
    {
        return WhileShown([] { return sMessageDlg(u"Файл повреждён", toolkit::mtError, {toolkit::mbOK}, 0); },
                          [&] {
                              HWND box = TopBox();
                              ASSERT_NE(box, nullptr);
                              tester_->Pump();
                              check(box);
                              PostMessage(box, WM_CLOSE, 0, 0);
                          });
    }
    bool TakenOver(HWND box) const
    {
        const TacProvider* entry = manager_->DialogHook()->Find(box);
        return entry && entry->IsDialog() && TacSubclassedWnd::Of(box) == entry->ListSW.get();
    }
};

TEST_F(SystemDialogTest, AnErrorBoxIsTakenOverWithItsTitleIconButtonAndText)
{
    const int answer = Error([&](HWND box) {
        EXPECT_EQ(GetWindowText(box), u"Error");
        ASSERT_TRUE(TakenOver(box));
        const TacProvider* entry = manager_->DialogHook()->Find(box);
        EXPECT_EQ(entry->ListSW->BorderStyle(), TacBorderStyle::acbsDialog);
        EXPECT_EQ(entry->ListSW->SkinIndex(), manager_->Model()->GetSkinIndex("DIALOG"));
        EXPECT_EQ(entry->ListSW->TitleIndex(), manager_->Model()->GetSkinIndex("DIALOGTITLE"));

        const auto children = Children(box);
        EXPECT_EQ(Count(children, u"Button"), 1);
        EXPECT_EQ(GetWindowText(GetDlgItem(box, IDOK)), u"ОК");
        // One icon static with the error icon, one text static.
        int icons = 0, texts = 0;
        for (HWND w : children) {
            if (GetClassName(w) != kStaticClass)
                continue;
            EXPECT_NE(dynamic_cast<TacStaticWnd*>(TacSubclassedWnd::Of(w)), nullptr);
            if ((GetWindowLong(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                ++icons;
                EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(w, STM_GETICON, 0, 0)), GetMessageIcon(MessageIcon::Stop));
            } else {
                ++texts;
                EXPECT_EQ(GetWindowText(w), u"Файл повреждён");
            }
        }
        EXPECT_EQ(icons, 1);
        EXPECT_EQ(texts, 1);
        EXPECT_NE(dynamic_cast<TacButtonWnd*>(TacSubclassedWnd::Of(GetDlgItem(box, IDOK))), nullptr);

        // The frame and the client area come from the dialog's picture; the text is written in the
        // dialog's font colour straight on it.
        const Bitmap shot = headless::WindowShot(box);
        if (const char* dir = std::getenv("LUMO_RENDER_DIR"))
            SavePng(shot, std::string(dir) + "/error-box.png");
        EXPECT_EQ(Opaque(shot.Pixel(shot.Width() / 2, 4)), dialogstest::Rgb(formstest::TitleActive));
        RECT client{};
        GetClientRect(box, &client);
        POINT origin{0, 0};
        ClientToScreen(box, &origin);
        RECT window{};
        GetWindowRect(box, &window);
        const int cx = int(origin.x - window.left), cy = int(origin.y - window.top);
        EXPECT_EQ(Opaque(shot.Pixel(cx + 2, cy + client.bottom - 3)), dialogstest::Rgb(dialogstest::DialogColor));
        int fontPixels = 0;
        for (int y = cy; y < cy + 50; ++y)
            for (int x = cx + 50; x < shot.Width() - 4; ++x)
                fontPixels += Opaque(shot.Pixel(x, y)) == dialogstest::Rgb(dialogstest::DialogFont);
        EXPECT_GT(fontPixels, 20);
    });
    EXPECT_EQ(answer, IDOK);
}

TEST_F(SystemDialogTest, WithTheLevelLoweredTheSecondBoxAlreadyStaysPlain)
{
    ac_DialogsLevel = 1;
    bool secondPlain = false, firstTaken = false;
    WhileShown([] { return MessageBox(nullptr, u"один", u"Lumo", MB_OK); },
               [&] {
                   HWND first = TopBox();
                   firstTaken = TakenOver(first);
                   WhileShown([] { return MessageBox(nullptr, u"два", u"Lumo", MB_OK); },
                              [&] {
                                  HWND second = TopBox();
                                  secondPlain = !TakenOver(second) && TacSubclassedWnd::Of(second) == nullptr &&
                                                TacSubclassedWnd::Of(GetDlgItem(second, IDOK)) == nullptr;
                                  PostMessage(second, WM_CLOSE, 0, 0);
                              });
                   PostMessage(first, WM_CLOSE, 0, 0);
               });
    EXPECT_TRUE(firstTaken);
    EXPECT_TRUE(secondPlain);
}

TEST_F(SystemDialogTest, WithTheDefaultLevelTwoBoxesAreTakenOverAndTheThirdIsNot)
{
    std::vector<bool> taken;
    auto nested = [&](int depth, auto&& self) -> void {
        WhileShown([] { return MessageBox(nullptr, u"вопрос", u"Lumo", MB_OK); },
                   [&] {
                       HWND box = TopBox();
                       taken.push_back(TakenOver(box));
                       if (depth < 3)
                           self(depth + 1, self);
                       PostMessage(box, WM_CLOSE, 0, 0);
                   });
    };
    nested(1, nested);
    EXPECT_EQ(taken, (std::vector<bool>{true, true, false}));
}

TEST_F(SystemDialogTest, WithoutStandardDialogsOrWhenTheProgramRefusesTheBoxStaysPlain)
{
    manager_->SkinningRules.srStdDialogs = false;
    Error([&](HWND box) {
        EXPECT_FALSE(TakenOver(box));
        EXPECT_EQ(TacSubclassedWnd::Of(GetDlgItem(box, IDOK)), nullptr);
    });
    manager_->SkinningRules.srStdDialogs = true;
    HWND asked = nullptr;
    manager_->OnSysDlgInit = [&](HWND dialog, bool& allow) {
        asked = dialog;
        allow = false;
    };
    HWND shown = nullptr;
    Error([&](HWND box) {
        shown = box;
        EXPECT_FALSE(TakenOver(box));
    });
    EXPECT_EQ(asked, shown);
}

TEST_F(SystemDialogTest, TheTitleCloseButtonAnswersOnlyWhenReleasedOnItself)
{
    bool stayed = false;
    const int answer = WhileShown(
        [] { return MessageBox(nullptr, u"закрыть?", u"Lumo", MB_OKCANCEL); },
        [&] {
            HWND box = TopBox();
            ASSERT_TRUE(TakenOver(box));
            TacDialogWnd& wrapper = *manager_->DialogHook()->Find(box)->ListSW;
            const TsCaptionButton* close = wrapper.Layout().ButtonOf(HTCLOSE);
            ASSERT_NE(close, nullptr);
            ASSERT_TRUE(close->Visible());
            RECT window{};
            GetWindowRect(box, &window);
            const POINT on{window.left + (close->cpRect.left + close->cpRect.right) / 2,
                           window.top + (close->cpRect.top + close->cpRect.bottom) / 2};
            EXPECT_EQ(wrapper.HitTest(on), HTCLOSE);
            // Pressed, then released over the caption: nothing happens.
            headless::MouseMove(on);
            headless::MouseDown(on);
            tester_->Pump();
            EXPECT_EQ(wrapper.Layout().ButtonOf(HTCLOSE)->cpState, 2);
            const POINT off{window.left + 20, window.top + 6};
            headless::MouseMove(off);
            headless::MouseUp(off);
            tester_->Pump();
            stayed = IsWindowVisible(box) && wrapper.Layout().ButtonOf(HTCLOSE)->cpState == 0;
            // Pressed and released on it: the box is closed as its close button would.
            headless::MouseMove(on);
            headless::MouseDown(on);
            headless::MouseUp(on);
        });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(answer, IDCANCEL);
}

TEST_F(SystemDialogTest, TheTitlesContextMenuIsTheSkinnedWindowMenuWithTheItemsTheBoxAllows)
{
    bool menuSeen = false;
    const int answer = WhileShown(
        [] { return MessageBox(nullptr, u"меню", u"Lumo", MB_OK); },
        [&] {
            HWND box = TopBox();
            ASSERT_TRUE(TakenOver(box));
            TacDialogWnd& wrapper = *manager_->DialogHook()->Find(box)->ListSW;
            RECT window{};
            GetWindowRect(box, &window);
            const POINT title{window.left + 20, window.top + 6};
            ASSERT_EQ(wrapper.HitTest(title), HTCAPTION);
            WhileShown(
                [&] {
                    headless::Click(title, MouseButton::Right);
                    tester_->Pump();
                    return 0;
                },
                [&] {
                    auto* menu = dynamic_cast<toolkit::TPopupMenuWindow*>(
                        toolkit::TWinControl::FindControl(FindWindow(u"#32768", {})));
                    ASSERT_NE(menu, nullptr);
                    ASSERT_NE(wrapper.SystemMenu(), nullptr);
                    menuSeen = true;
                    // A box that can be neither sized, minimised nor maximised: Move and Close.
                    const TsSystemMenu& items = *wrapper.SystemMenu();
                    EXPECT_TRUE(items.ItemMove->Visible() && items.ItemMove->Enabled());
                    EXPECT_TRUE(items.ItemClose->Visible() && items.ItemClose->Enabled());
                    for (const toolkit::TMenuItem* hidden :
                         {items.ItemRestore, items.ItemSize, items.ItemMinimize, items.ItemMaximize})
                        EXPECT_FALSE(hidden->Visible());
                    const toolkit::TRect close = menu->ItemRect(2); // Move, the line, Close
                    headless::Click(menu->ClientToScreen(POINT{close.left + 10, close.top + 5}));
                });
        });
    EXPECT_TRUE(menuSeen);
    EXPECT_EQ(answer, IDOK); // closing a lone OK box answers OK
}

TEST_F(SystemDialogTest, APositionIsAppliedWhenTheBoxIsTakenOver)
{
    RECT r{};
    WhileShown(
        [] { return sMessageDlgPosHelp(u"Где", u"здесь", toolkit::mtWarning, {toolkit::mbOK}, 0, 37, 54, {}); },
        [&] {
            HWND box = TopBox();
            EXPECT_EQ(GetWindowText(box), u"Где");
            GetWindowRect(box, &r);
            PostMessage(box, WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(r.left, 37);
    EXPECT_EQ(r.top, 54);
}

TEST_F(SystemDialogTest, ASkinChangeReachesAShownBoxAndRemovingTheSkinGivesItsLookBack)
{
    Error([&](HWND box) {
        ASSERT_TRUE(TakenOver(box));
        manager_->SetSkinName(u"Square (internal)");
        tester_->Pump();
        // The square skin has no dialog sections: the box takes its form sections.
        const TacProvider* entry = manager_->DialogHook()->Find(box);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->ListSW->SkinIndex(), manager_->Model()->GetSkinIndex("FORM"));
        EXPECT_EQ(entry->ListSW->TitleIndex(), manager_->Model()->GetSkinIndex("FORMTITLE"));
        manager_->SetActive(false);
        tester_->Pump();
        EXPECT_EQ(manager_->DialogHook(), nullptr);
        EXPECT_EQ(TacSubclassedWnd::Of(box), nullptr);
        EXPECT_EQ(TacSubclassedWnd::Of(GetDlgItem(box, IDOK)), nullptr);
        // The platform paints it again: the default frame's title is not the skin's.
        const Bitmap shot = headless::WindowShot(box);
        EXPECT_NE(Opaque(shot.Pixel(shot.Width() / 2, 4)), dialogstest::Rgb(formstest::TitleActive));
    });
}

} // namespace

namespace {

// The manager's own boxes: a manager that shows them (no quiet host) replaces the fixture's.
class ManagerBoxesTest : public SystemDialogTest {
protected:
    void SetUp() override
    {
        SystemDialogTest::SetUp();
        manager_.reset();
        SkinManagerHost host;
        host.ProgramDirectory = [] { return String(u"/opt/lumo/"); };
        manager_ = std::make_unique<TsSkinManager>(host);
        manager_->InternalSkins().Add(formstest::Item(u"Dialogs (internal)", dialogstest::DialogSkin()));
        manager_->SetSkinName(u"Dialogs (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
        tester_->Pump();
    }

    // The dialog skin with one more global line put first, where it wins over the later ones.
    static skintest::TestSkin WithGlobal(const std::string& line)
    {
        skintest::TestSkin s = dialogstest::DialogSkin();
        s.Options.insert(s.Options.find("\r\n") + 2, line + "\r\n");
        return s;
    }
};

TEST_F(ManagerBoxesTest, AFailedLoadIsReportedInAnErrorBoxSkinnedInThePreviousSkin)
{
    manager_->InternalSkins().Add(formstest::Item(u"Broken (internal)", WithGlobal("BICONCLOSE=@00A1@0001@0031@0021@0@0")));
    const TsSkinModel* before = manager_->Model();
    bool checked = false;
    WhileShown(
        [&] {
            manager_->SetSkinName(u"Broken (internal)");
            return 0;
        },
        [&] {
            HWND box = TopBox();
            ASSERT_NE(box, nullptr);
            tester_->Pump();
            EXPECT_EQ(GetWindowText(box), u"Error");
            EXPECT_TRUE(TakenOver(box));
            const Bitmap shot = headless::WindowShot(box);
            EXPECT_EQ(Opaque(shot.Pixel(shot.Width() / 2, 4)), dialogstest::Rgb(formstest::TitleActive));
            RECT window{};
            GetWindowRect(box, &window);
            EXPECT_EQ(Opaque(shot.Pixel(window.Width() - 6, window.Height() - 6)),
                      dialogstest::Rgb(dialogstest::DialogColor));
            const POINT ok = [&] {
                RECT r{};
                GetWindowRect(GetDlgItem(box, IDOK), &r);
                return POINT{r.left - window.left + 4, (r.top + r.bottom) / 2 - window.top};
            }();
            // The only button is focused: hot.
            EXPECT_EQ(Opaque(shot.Pixel(int(ok.x), int(ok.y))), dialogstest::Rgb(dialogstest::ButtonHot));
            checked = true;
            PostMessage(box, WM_CLOSE, 0, 0);
        });
    EXPECT_TRUE(checked);
    EXPECT_EQ(manager_->SkinName(), u"Dialogs (internal)");
    EXPECT_EQ(manager_->Model(), before);
}

TEST_F(ManagerBoxesTest, TheTooNewVersionWarningIsNeverSkinned)
{
    manager_->InternalSkins().Add(formstest::Item(u"Newer (internal)", WithGlobal("VERSION=12.00")));
    bool checked = false;
    WhileShown(
        [&] {
            manager_->SetSkinName(u"Newer (internal)");
            return 0;
        },
        [&] {
            HWND box = TopBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(GetWindowText(box), u"Warning");
            EXPECT_FALSE(manager_->SkinningRules.srStdDialogs);
            EXPECT_FALSE(TakenOver(box));
            EXPECT_EQ(TacSubclassedWnd::Of(GetDlgItem(box, IDOK)), nullptr);
            checked = true;
            PostMessage(box, WM_CLOSE, 0, 0);
        });
    EXPECT_TRUE(checked);
    EXPECT_TRUE(manager_->SkinningRules.srStdDialogs);
    EXPECT_EQ(manager_->SkinName(), u"Newer (internal)");
}

} // namespace
