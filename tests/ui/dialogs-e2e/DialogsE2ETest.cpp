// The settings window's reset question and the skin manager's error box on a private X server,
// answered with the real mouse (xdotool): the question comes up in the skin's frame and title,
// OK resets the proxy fields, the skin and Config.ini while Cancel leaves them; a skin that fails
// to load is reported in an error box drawn in the skin still in force. The windows are the
// program's, built as it builds them, with the test engine library for the engine.
#include "../../engine/TestEngine.h"
#include "../../support/InProcessProgram.h"
#include "../../platform/gtk/RealScreen.h"
#include "../../platform/gtk/VirtualDisplay.h"

#include "app/WindowSet.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "platform/frame/MessageBox.h"
#include "platform/system/Profile.h"
#include "platform/window/Timer.h"
#include "skin/dialogs/TacDialogHook.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "toolkit/FormTester.h"
#include "toolkit/TApplication.h"
#include "toolkit/TButton.h"
#include "toolkit/TMessageForm.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TSettingForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace platform;
using gtktest::Pump;
using gtktest::PumpUntil;
using gtktest::ScreenPixel;
using gtktest::Xdotool;
using toolkit::FormTester;

constexpr const char16_t* StartSkin = u"MetroUI (internal)";
constexpr const char16_t* DefaultSkin = u"Windows 8 (internal)";

struct SessionState {
    std::string problem = "the session did not start";
    toolkit::TApplication* application = nullptr;
    fs::path folder;
    String config;
};

SessionState& S()
{
    static SessionState state;
    return state;
}

void ClickAt(POINT p) { Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1"); }

class Session : public ::testing::Environment {
public:
    void SetUp() override
    {
        SessionState& s = S();
        s.folder = fs::temp_directory_path() / ("lumo-dialogs-e2e-" + std::to_string(::getpid()));
        fs::create_directories(s.folder / "c" / "Skins" / "Broken");
        // A skin folder whose options hold a value that is no number: its load fails part way.
        std::ofstream(s.folder / "c" / "Skins" / "Broken" / "Options.dat", std::ios::binary)
            << "[GLOBALINFO]\r\nVERSION=8.00\r\nBICONCLOSE=@00A1@0001@0031@0021@0@0\r\n";
        ::setenv("LUMO_DRIVE_ROOT", s.folder.c_str(), 1);
        s.config = Utf8ToUtf16((s.folder / "Config.ini").string());

        s.problem = e2e::StartGtkWithTestEngine();
        if (!s.problem.empty())
            return;
    }

    void TearDown() override
    {
        SessionState& s = S();
        engine::CefShutDown();
        std::filesystem::remove(enginetest::LogPath());
        ::unsetenv("LUMO_DRIVE_ROOT");
        fs::remove_all(s.folder);
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

// Runs step on a timer while the program waits in its modal loops, until it answers true or the
// time is over; a box still open then is closed so that the test ends.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> step) : step_(std::move(step))
    {
        self = this;
        timer_ = SetTimer(nullptr, 0, 100, Tick);
    }
    ~ModalDriver()
    {
        KillTimer(nullptr, timer_);
        self = nullptr;
    }
    bool Done() const { return done_; }

private:
    static void Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!self || self->done_ || self->busy_)
            return;
        self->busy_ = true;
        self->done_ = self->step_();
        self->busy_ = false;
    }

    static inline ModalDriver* self = nullptr;
    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    bool busy_ = false;
};

// The program's message form shown now, if any.
toolkit::TMessageForm* ShownMessage()
{
    return dynamic_cast<toolkit::TMessageForm*>(toolkit::TWinControl::FindControl(FormTester::ActiveModalWindow()));
}

// The active title colour of a section, as the skin states it.
COLORREF TitleColour(const char* section)
{
    const skin::TsSkinModel* model = ui::Form1->sSkinManager1->Model();
    const int index = model->GetSkinIndex(section);
    return index < 0 ? COLORREF(0xFFFFFFFF) : COLORREF(model->gd[std::size_t(index)].Props[1].Color);
}

// A point of the title band of a window, clear of its caption text and buttons.
POINT TitlePoint(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{r.left + r.Width() * 3 / 5, r.top + 6};
}

String Stored(const char16_t* section, const char16_t* key)
{
    return GetPrivateProfileString(section, key, u"<none>", S().config);
}

class DialogsE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S().problem, "");
        std::ofstream(fs::path(Utf16ToUtf8(S().config)), std::ios::binary)
            << "[Skin]\r\nuseSkin=MetroUI (internal)\r\n[Proxy]\r\nip=10.1.2.3\r\nport=3128\r\nuseProxy=1\r\n";
        application_ = app::CreateApplication();
        app::CreateWindows(application_, S().config);
        ui::Form1->Show();
        ui::SettingForm->Show();
        ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(ui::SettingForm->Handle()); }, 10000));
        Pump(300);
        ASSERT_EQ(ui::Form1->sSkinManager1->SkinName(), StartSkin);
    }

    void TearDown() override
    {
        delete application_;
        application_ = nullptr;
        app::ForgetWindowSet();
        Pump(100);
    }

    // Clicks "Сброс настроек", answers the question with answer once its title shows the skin's
    // title colour on the screen, and closes the success message that OK brings.
    void AskAndAnswer(const char16_t* answer)
    {
        bool questionSeen = false;
        COLORREF title = 0;
        const COLORREF expected = TitleColour("FORMTITLE");
        int waits = 0;
        ModalDriver driver([&] {
            toolkit::TMessageForm* form = ShownMessage();
            if (!form)
                return questionSeen; // between the question and the success message
            if (!questionSeen) {
                title = ScreenPixel(TitlePoint(form->Handle()).x, TitlePoint(form->Handle()).y);
                if (title != expected && ++waits < 30)
                    return false; // not presented yet
                questionSeen = true;
                EXPECT_EQ(form->MessageLabel()->Caption(), u"Вы дествительно хотите сбросить настройки?");
                EXPECT_NE(skin::TacDialogHook::Installed()->Find(form->Handle()), nullptr);
                ClickAt(FormTester::ScreenPoint(FormTester::Find<toolkit::TButton>(form, answer)));
                return false;
            }
            // The success message after OK.
            EXPECT_TRUE(form->MessageLabel()->Caption().starts_with(u"Настройки успешно изменены!"));
            ClickAt(FormTester::ScreenPoint(FormTester::Find<toolkit::TButton>(form, u"OK")));
            return false;
        });
        ClickAt(FormTester::ScreenPoint(ui::SettingForm->sBitBtn2));
        EXPECT_TRUE(PumpUntil([&] { return questionSeen && !ShownMessage(); }, 20000));
        Pump(200);
        EXPECT_TRUE(questionSeen);
        EXPECT_EQ(title, expected) << std::hex << "the title on the screen is " << title << ", the skin's " << expected;
    }

    toolkit::TApplication* application_ = nullptr;
};

TEST_F(DialogsE2E, CancelLeavesTheFieldsTheSkinAndConfigIni)
{
    AskAndAnswer(u"Cancel");
    EXPECT_EQ(ui::SettingForm->sEdit2->Text(), u"10.1.2.3");
    EXPECT_EQ(ui::SettingForm->sEdit3->Text(), u"3128");
    EXPECT_TRUE(ui::SettingForm->sCheckBox1->Checked());
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), StartSkin);
    EXPECT_EQ(Stored(u"Proxy", u"ip"), u"10.1.2.3");
    EXPECT_EQ(Stored(u"Proxy", u"port"), u"3128");
    EXPECT_EQ(Stored(u"Proxy", u"useProxy"), u"1");
    EXPECT_EQ(Stored(u"Skin", u"useSkin"), StartSkin);
}

TEST_F(DialogsE2E, OkResetsTheFieldsTheSkinAndConfigIni)
{
    AskAndAnswer(u"OK");
    EXPECT_EQ(ui::SettingForm->sEdit2->Text(), u"0");
    EXPECT_EQ(ui::SettingForm->sEdit3->Text(), u"0");
    EXPECT_FALSE(ui::SettingForm->sCheckBox1->Checked());
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), DefaultSkin);
    EXPECT_EQ(Stored(u"Proxy", u"ip"), u"0");
    EXPECT_EQ(Stored(u"Proxy", u"port"), u"0");
    EXPECT_EQ(Stored(u"Proxy", u"useProxy"), u"0");
    EXPECT_EQ(Stored(u"Skin", u"useSkin"), DefaultSkin);
}

TEST_F(DialogsE2E, AFailedSkinLoadIsReportedInAnErrorBoxInThePreviousSkin)
{
    const COLORREF expected = TitleColour("DIALOGTITLE");
    bool seen = false;
    COLORREF title = 0;
    String caption, text;
    int waits = 0;
    ModalDriver driver([&] {
        HWND box = FindWindow(kMessageBoxClass, {});
        if (!box || !IsWindowVisible(box))
            return false;
        const POINT at = TitlePoint(box);
        title = ScreenPixel(at.x, at.y);
        if (title != expected && ++waits < 30)
            return false;
        seen = true;
        caption = GetWindowText(box);
        EXPECT_NE(skin::TacDialogHook::Installed()->Find(box), nullptr);
        RECT ok{};
        GetWindowRect(GetDlgItem(box, IDOK), &ok);
        ClickAt(POINT{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
        return true;
    });
    ui::Form1->sSkinManager1->SetSkinName(u"Broken");
    Pump(200);
    EXPECT_TRUE(seen);
    EXPECT_EQ(caption, u"Error");
    EXPECT_EQ(title, expected) << std::hex << "the title on the screen is " << title << ", the skin's " << expected;
    // The previous skin stays, under its own name.
    EXPECT_EQ(ui::Form1->sSkinManager1->SkinName(), StartSkin);
}

} // namespace
