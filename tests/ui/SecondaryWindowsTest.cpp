// The audio tales window, its right-button filter and the information windows, built as the
// program builds them on the virtual screen.
#include "WindowSetTester.h"

#include "platform/window/Message.h"
#include "platform/window/WebView.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "toolkit/Colors.h"

#include <chrono>
#include <cstdlib>
#include <map>
#include <regex>
#include <thread>

using namespace uitest;
using namespace toolkit;
using platform::HWND;
using platform::MouseButton;
namespace headless = platform::headless;

namespace {

std::string Narrow(const String& s) { return platform::Utf16ToUtf8(s); }

// Counts the mouse messages that reach the windows it watches.
class MessageSpy {
public:
    void Watch(HWND hwnd)
    {
        previous_[hwnd] = reinterpret_cast<platform::WNDPROC>(
            platform::SetWindowLongPtr(hwnd, platform::GWLP_WNDPROC, reinterpret_cast<platform::LONG_PTR>(&Proc)));
        Current() = this;
    }
    ~MessageSpy()
    {
        for (auto& [hwnd, proc] : previous_)
            if (platform::IsWindow(hwnd))
                platform::SetWindowLongPtr(hwnd, platform::GWLP_WNDPROC, reinterpret_cast<platform::LONG_PTR>(proc));
        Current() = nullptr;
    }
    int Count(HWND hwnd, platform::UINT msg) const
    {
        auto it = seen_.find({hwnd, msg});
        return it == seen_.end() ? 0 : it->second;
    }

private:
    static MessageSpy*& Current()
    {
        static MessageSpy* current = nullptr;
        return current;
    }
    static platform::LRESULT Proc(HWND hwnd, platform::UINT msg, platform::WPARAM w, platform::LPARAM l)
    {
        MessageSpy* self = Current();
        ++self->seen_[{hwnd, msg}];
        return platform::CallWindowProc(self->previous_[hwnd], hwnd, msg, w, l);
    }
    std::map<HWND, platform::WNDPROC> previous_;
    std::map<std::pair<HWND, platform::UINT>, int> seen_;
};

// The hook record MouseProc is handed for a message at a point.
platform::LRESULT CallFilter(int code, platform::UINT msg, platform::POINT at)
{
    platform::MOUSEHOOKSTRUCT record;
    record.pt = at;
    record.hwnd = platform::WindowFromPoint(at);
    return ui::MouseProc(code, msg, reinterpret_cast<platform::LPARAM>(&record));
}

} // namespace

TEST_F(WindowSetTest, TheAudioTalesWindowPlaysItsPageFromEachShowAndStopsItOnClose)
{
    Start();
    ui::TAudioskazkiForm* f = ui::AudioskazkiForm;
    EXPECT_EQ(f->Caption(), u"Аудиосказки");
    EXPECT_EQ(f->ClientWidth(), 490);
    EXPECT_EQ(f->ClientHeight(), 460);
    EXPECT_EQ(f->sPanel1->BoundsRect(), (TRect{0, 434, 490, 460}));
    EXPECT_EQ(f->WebBrowser1->BoundsRect(), (TRect{0, 0, 490, 434}));
    EXPECT_EQ(f->sSpeedButton1->BoundsRect(), (TRect{465, 1, 489, 25}));
    EXPECT_EQ(f->sSpeedButton2->BoundsRect(), (TRect{441, 1, 465, 26}));
    EXPECT_EQ(f->sSpeedButton3->BoundsRect(), f->sSpeedButton2->BoundsRect());
    EXPECT_EQ(f->sSpeedButton1->Glyph()->Width(), 24);
    EXPECT_EQ(f->sSpeedButton1->Glyph()->Height(), 24);
    for (skin::TsSpeedButton* b : {f->sSpeedButton2, f->sSpeedButton3}) {
        EXPECT_EQ(b->Glyph()->Width(), 16);
        EXPECT_EQ(b->Glyph()->PixelFormat(), pf32bit);
        EXPECT_TRUE(b->ShowHint());
        EXPECT_EQ(b->SkinData()->SkinSection(), u"SPEEDBUTTON");
    }
    EXPECT_EQ(f->sSpeedButton1->Hint(), u"Вкл./Выкл. Пульт");
    EXPECT_EQ(f->sSpeedButton2->Hint(), u"Поверх всех окон (Вкл.)");
    EXPECT_EQ(f->sSpeedButton3->Hint(), u"Поверх всех окон (Откл.)");
    EXPECT_TRUE(f->sSpeedButton2->Visible());
    EXPECT_FALSE(f->sSpeedButton3->Visible());

    ui::Form1->Show();
    tester->Pump();
    tester->Click(ui::Form1->sSpeedButton3);
    ASSERT_TRUE(f->Visible());
    const String tales = u"http://www.lumo-tv.example/channels2/skazki.html";
    EXPECT_EQ(f->WebBrowser1->LocationURL(), tales);
    // Shown again while visible: only brought forward, the page goes on.
    platform::Navigate(f->WebBrowser1->ViewWindow(), u"about:blank");
    tester->Click(ui::Form1->sSpeedButton3);
    EXPECT_EQ(f->WebBrowser1->LocationURL(), u"about:blank");

    // Closed while the main window is visible: the page is blanked, the program goes on.
    f->Close();
    tester->App().ProcessMessages();
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(f->WebBrowser1->LocationURL(), u"about:blank");
    EXPECT_FALSE(tester->App().Terminated());
    f->Show();
    tester->Pump();
    EXPECT_EQ(f->WebBrowser1->LocationURL(), tales) << "every show starts the page afresh";
}

TEST_F(WindowSetTest, ClosingTheAudioTalesWindowWhileTheRemoteHidTheMainWindowEndsTheProgram)
{
    for (bool onTop : {false, true}) {
        SCOPED_TRACE(onTop ? "on top" : "not on top");
        Start();
        ui::TAudioskazkiForm* f = ui::AudioskazkiForm;
        ui::Form1->Show();
        f->Show();
        tester->Pump();
        tester->Click(f->sSpeedButton1);
        EXPECT_FALSE(ui::Form1->Visible());
        if (onTop) {
            tester->Click(f->sSpeedButton2);
            EXPECT_FALSE(f->sSpeedButton1->Enabled());
        }
        f->Close();
        tester->App().ProcessMessages();
        EXPECT_TRUE(tester->App().Terminated());
        Stop();
    }

    // The toggle brings the main window back as well.
    Start();
    ui::Form1->Show();
    ui::AudioskazkiForm->Show();
    tester->Pump();
    tester->Click(ui::AudioskazkiForm->sSpeedButton1);
    tester->Click(ui::AudioskazkiForm->sSpeedButton1);
    EXPECT_TRUE(ui::Form1->Visible());
}

TEST_F(WindowSetTest, StayOnTopPutsTheWindowInTheTopMostBandUnderTheDesktopAndLocksTheRemote)
{
    Start();
    ui::TAudioskazkiForm* f = ui::AudioskazkiForm;
    ui::Form1->Show();
    f->Show();
    tester->Pump();
    HWND window = f->Handle();
    EXPECT_EQ(HWND(platform::GetWindowLongPtr(window, platform::GWL_HWNDPARENT)), ui::Form1->Handle());

    tester->Click(f->sSpeedButton2);
    EXPECT_TRUE(platform::GetWindowLongPtr(window, platform::GWL_EXSTYLE) & platform::WS_EX_TOPMOST);
    // Owned by the desktop is owned by no window of the program.
    EXPECT_EQ(HWND(platform::GetWindowLongPtr(window, platform::GWL_HWNDPARENT)), nullptr);
    EXPECT_FALSE(f->sSpeedButton2->Visible());
    EXPECT_TRUE(f->sSpeedButton3->Visible());
    EXPECT_FALSE(f->sSpeedButton1->Enabled());
    tester->Click(f->sSpeedButton1);
    EXPECT_TRUE(ui::Form1->Visible()) << "the remote is locked while on top";

    tester->Click(f->sSpeedButton3);
    EXPECT_FALSE(platform::GetWindowLongPtr(window, platform::GWL_EXSTYLE) & platform::WS_EX_TOPMOST);
    EXPECT_EQ(HWND(platform::GetWindowLongPtr(window, platform::GWL_HWNDPARENT)), nullptr)
        << "the main window does not own it again";
    EXPECT_TRUE(f->sSpeedButton2->Visible());
    EXPECT_FALSE(f->sSpeedButton3->Visible());
    EXPECT_TRUE(f->sSpeedButton1->Enabled());
}

TEST_F(WindowSetTest, RightPressesAndReleasesOverEveryWebViewAreSwallowedAndNothingElse)
{
    Start();
    EXPECT_NE(ui::HMouseHook, nullptr) << "installed at creation, before the window is ever shown";
    ui::Form1->Show();
    ui::TVProgrammForm->Show();
    tester->Pump();
    HWND guide = ui::TVProgrammForm->WebBrowser1->ViewWindow();
    ASSERT_NE(guide, nullptr);
    MessageSpy spy;
    spy.Watch(guide);
    platform::POINT overGuide = FormTester::ScreenPoint(ui::TVProgrammForm->WebBrowser1, {200, 100});

    headless::Click(overGuide, MouseButton::Right);
    tester->Pump();
    EXPECT_EQ(spy.Count(guide, platform::WM_RBUTTONDOWN), 0);
    EXPECT_EQ(spy.Count(guide, platform::WM_RBUTTONUP), 0);
    headless::Click(overGuide);
    tester->Pump();
    EXPECT_EQ(spy.Count(guide, platform::WM_LBUTTONDOWN), 1);
    EXPECT_EQ(spy.Count(guide, platform::WM_LBUTTONUP), 1);
    // The second press of a double click comes as a double click and passes; its release does not.
    headless::DoubleClick(overGuide, MouseButton::Right);
    tester->Pump();
    EXPECT_EQ(spy.Count(guide, platform::WM_RBUTTONDBLCLK), 1);
    EXPECT_EQ(spy.Count(guide, platform::WM_RBUTTONDOWN), 0);
    EXPECT_EQ(spy.Count(guide, platform::WM_RBUTTONUP), 0);
    ui::TVProgrammForm->Hide();

    // The audio tales view too, shown or not the filter is the same.
    ui::AudioskazkiForm->Show();
    tester->Pump();
    HWND tales = ui::AudioskazkiForm->WebBrowser1->ViewWindow();
    spy.Watch(tales);
    headless::Click(FormTester::ScreenPoint(ui::AudioskazkiForm->WebBrowser1), MouseButton::Right);
    tester->Pump();
    EXPECT_EQ(spy.Count(tales, platform::WM_RBUTTONDOWN), 0);
    EXPECT_EQ(spy.Count(tales, platform::WM_RBUTTONUP), 0);
    ui::AudioskazkiForm->Hide();
    tester->Pump();

    // Buttons and the engine's browser control get their right presses.
    int rightPresses = 0;
    ui::Form1->sBitBtn1->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        rightPresses += button == mbRight;
    };
    headless::Click(FormTester::ScreenPoint(ui::Form1->sBitBtn1), MouseButton::Right);
    tester->Pump();
    EXPECT_EQ(rightPresses, 1);
    platform::POINT overChromium = FormTester::ScreenPoint(ui::Form1->Chromium1, {300, 200});
    HWND browser = platform::WindowFromPoint(overChromium);
    spy.Watch(browser);
    headless::Click(overChromium, MouseButton::Right);
    tester->Pump();
    EXPECT_EQ(spy.Count(browser, platform::WM_RBUTTONDOWN), 1);
    EXPECT_EQ(spy.Count(browser, platform::WM_RBUTTONUP), 1);

    // Non-client right presses and peeks pass whatever is under them.
    ui::TVProgrammForm->Show();
    tester->Pump();
    EXPECT_EQ(CallFilter(platform::HC_ACTION, platform::WM_RBUTTONDOWN, overGuide), 1);
    EXPECT_EQ(CallFilter(platform::HC_ACTION, platform::WM_NCRBUTTONDOWN, overGuide), 0);
    EXPECT_EQ(CallFilter(platform::HC_NOREMOVE, platform::WM_RBUTTONDOWN, overGuide), 0);
}

TEST_F(WindowSetTest, TheTvGuideLoadsItsPageOnlyWhenItGoesFromHiddenToShown)
{
    Start();
    ui::TTVProgrammForm* f = ui::TVProgrammForm;
    EXPECT_EQ(f->Caption(), u"Телепрограмма");
    EXPECT_EQ(f->ClientWidth(), 794);
    EXPECT_EQ(f->ClientHeight(), 448);
    EXPECT_EQ(f->WebBrowser1->BoundsRect(), (TRect{0, 0, 794, 465})) << "it runs under the panel";
    EXPECT_EQ(f->WebBrowser1->Align(), alNone);
    EXPECT_EQ(f->sPanel1->BoundsRect(), (TRect{0, 428, 794, 448}));
    EXPECT_EQ(f->WebBrowser1->ViewWindow(), nullptr) << "nothing is loaded before the first show";

    ui::Form1->Show();
    tester->Pump();
    tester->Click(ui::Form1->sSpeedButton1);
    const String guide = u"http://www.lumo-tv.example/lumo9/tvprogramm.html";
    EXPECT_EQ(f->WebBrowser1->LocationURL(), guide);
    platform::Navigate(f->WebBrowser1->ViewWindow(), u"http://www.lumo-tv.example/lumo9/tvprogramm.html#day2");
    tester->Click(ui::Form1->sSpeedButton1);
    EXPECT_EQ(f->WebBrowser1->LocationURL(), u"http://www.lumo-tv.example/lumo9/tvprogramm.html#day2");
    f->Close();
    tester->Pump();
    EXPECT_EQ(f->WebBrowser1->LocationURL(), u"http://www.lumo-tv.example/lumo9/tvprogramm.html#day2")
        << "closing leaves the page as it was";
    tester->Click(ui::Form1->sSpeedButton1);
    EXPECT_EQ(f->WebBrowser1->LocationURL(), guide);
}

TEST_F(WindowSetTest, TheHelpAboutAndDonationWindowsShowTheirFixedContents)
{
    Start();
    ui::THelpForm* help = ui::HelpForm;
    EXPECT_EQ(help->Caption(), u"Помощь");
    EXPECT_EQ(help->ClientWidth(), 374);
    EXPECT_EQ(help->ClientHeight(), 280);
    EXPECT_EQ(help->sLabel1->Caption(), u"Для нормальной работы программы требуется:");
    EXPECT_EQ(help->sLabel1->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(help->sLabel2->BoundsRect(), (TRect{10, 40, 306, 216}));
    EXPECT_TRUE(help->sLabel2->WordWrap());
    std::string text = Narrow(help->sLabel2->Caption());
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "1. OC Windows") << "Latin O and C";
    EXPECT_EQ(lines[2], "3. Adobe Flash Player ");
    EXPECT_EQ(lines[3], "    для браузера Mozilla Firefox");
    EXPECT_EQ(lines[6], "    от имени \"Администратора\"");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(help->sLabel3->Caption(), u"www.lumo-tv.example");
    EXPECT_EQ(help->sLabel3->Font()->Color(), clBlue);
    EXPECT_FALSE(help->sLabel3->UseSkinColor());
    EXPECT_EQ(help->sButton1->BoundsRect(), (TRect{235, 44, 365, 84}));
    EXPECT_EQ(help->sButton2->BoundsRect(), (TRect{235, 90, 365, 130}));
    EXPECT_EQ(help->sButton2->TabOrder(), 0);
    EXPECT_EQ(help->sButton1->Caption(), u"Установить Adobe Flash Player");

    ui::TAboutForm* about = ui::AboutForm;
    EXPECT_EQ(about->ClientWidth(), 404);
    EXPECT_EQ(about->ClientHeight(), 120);
    EXPECT_EQ(about->Image1->BoundsRect(), (TRect{0, 0, 120, 120}));
    EXPECT_EQ(about->Image1->Picture()->Width(), 120);
    EXPECT_EQ(about->Image1->Picture()->Bitmap()->PixelFormat(), pf32bit);
    EXPECT_EQ(about->sLabel1->Caption(), u"Версия 9.10");
    EXPECT_EQ(about->sLabel2->Caption(), u"Дата выпуска: 27.08.2016");
    EXPECT_EQ(about->sLabel5->Font()->Height(), -27);
    EXPECT_EQ(about->sLabel4->Caption(), u"www.lumo-tv.example");

    ui::TDonationForm* donation = ui::DonationForm;
    EXPECT_EQ(donation->ClientWidth(), 294);
    EXPECT_EQ(donation->ClientHeight(), 158);
    EXPECT_TRUE(donation->sMemo1->ReadOnly());
    EXPECT_TRUE(std::regex_match(Narrow(donation->sMemo1->Text()),
                                 std::regex("Кошельки WebMoney: \r\nR[0-9]{12}\r\nZ[0-9]{12}\r\nE[0-9]{12}\r\n"
                                            "U[0-9]{12}\r\n")))
        << Narrow(donation->sMemo1->Text());
    // Read-only: typing changes nothing.
    const String before = donation->sMemo1->Text();
    donation->Show();
    tester->Pump();
    tester->Click(donation->sMemo1);
    tester->Type(u"x");
    tester->Press(platform::VK_BACK);
    EXPECT_EQ(donation->sMemo1->Text(), before);
}

namespace {

// A desktop whose default handler, and the installer beside the program, only write down what
// they were given; PATH leads to that handler for the test's length.
class FakeDesktop {
public:
    explicit FakeDesktop(const std::filesystem::path& folder) : folder_(folder)
    {
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        Script(folder_ / "bin" / "xdg-open", folder_ / "opened");
        ::setenv("PATH", ((folder_ / "bin").string() + ":" + savedPath_).c_str(), 1);
        installer_ = std::filesystem::path(platform::NativePath(platform::ExecutableDirectory())) / "plugin";
        Script(installer_ / "vlcplugin.exe", folder_ / "installed");
    }
    ~FakeDesktop()
    {
        ::setenv("PATH", savedPath_.c_str(), 1);
        std::filesystem::remove_all(installer_);
    }
    // What the handler, or the installer, wrote down; waits a while for the process to run.
    static std::string WaitFor(const std::filesystem::path& record)
    {
        for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(record);
        std::string line;
        std::getline(in, line);
        std::filesystem::remove(record);
        return line;
    }
    std::filesystem::path Opened() const { return folder_ / "opened"; }
    std::filesystem::path Installed() const { return folder_ / "installed"; }

private:
    static void Script(const std::filesystem::path& file, const std::filesystem::path& record)
    {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "#!/bin/sh\nprintf '%s|%s\\n' \"$*\" \"$PWD\" > '" << record.string() << ".tmp' && mv '"
                            << record.string() << ".tmp' '" << record.string() << "'\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
    std::filesystem::path folder_;
    std::filesystem::path installer_;
    std::string savedPath_;
};

} // namespace

TEST_F(WindowSetTest, LinksOpenTheSitesInTheBrowserAndTheInstallerIsFoundBesideTheProgram)
{
    FakeDesktop desktop(folder);
    Start();
    ui::HelpForm->Show();
    tester->Pump();
    tester->Click(ui::HelpForm->sButton1);
    std::string opened = FakeDesktop::WaitFor(desktop.Opened());
    EXPECT_EQ(opened.substr(0, opened.find('|')), "http://get.flashplayer.example/ru/flashplayer/otherversions/");
    tester->Click(ui::HelpForm->sLabel3);
    opened = FakeDesktop::WaitFor(desktop.Opened());
    EXPECT_EQ(opened.substr(0, opened.find('|')), "http://www.lumo-tv.example");

    // From another working folder, the installer is still the one beside the program.
    std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    tester->Click(ui::HelpForm->sButton2);
    std::string installed = FakeDesktop::WaitFor(desktop.Installed());
    std::filesystem::current_path(here);
    EXPECT_NE(installed.find('|'), std::string::npos) << "the installer did not start";

    ui::AboutForm->Show();
    tester->Pump();
    tester->Click(ui::AboutForm->sLabel4);
    opened = FakeDesktop::WaitFor(desktop.Opened());
    EXPECT_EQ(opened.substr(0, opened.find('|')), "http://www.lumo-tv.example");
}
