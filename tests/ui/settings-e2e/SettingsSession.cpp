#include "SettingsSession.h"

#include "../../engine/TestEngine.h"
#include "../../support/InProcessProgram.h"

#include "app/WindowSet.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "platform/image/Image.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "toolkit/FormTester.h"
#include "toolkit/TApplication.h"
#include "toolkit/TButton.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMessageForm.h"
#include "ui/main/TForm1.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace settingse2e {

using namespace platform;
namespace fs = std::filesystem;

namespace {

struct SessionState {
    std::string problem = "the session did not start";
    fs::path folder;
    toolkit::TApplication* application = nullptr;
};

SessionState& S()
{
    static SessionState state;
    return state;
}

// A point where no window of the program lies.
constexpr POINT Away{1270, 1010};

class Session : public ::testing::Environment {
public:
    void SetUp() override
    {
        SessionState& s = S();
        s.problem = e2e::StartGtkWithTestEngine();
        if (!s.problem.empty())
            return;
        s.folder = fs::temp_directory_path() / ("lumo-settings-e2e-" + std::to_string(::getpid()));
        fs::remove_all(s.folder);
        fs::create_directories(s.folder);
        MoveMouse(Away);
        s.application = e2e::ShowProgram(Utf8ToUtf16((s.folder / "Config.ini").string()), s.problem);
        if (!s.application)
            return;
        s.problem.clear();
    }

    void TearDown() override
    {
        SessionState& s = S();
        e2e::EndProgram(s.application);
        std::error_code ec;
        fs::remove(enginetest::LogPath(), ec);
        fs::remove_all(s.folder, ec);
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

std::string Quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The answerer's state: a thread timer looks for a message window every 50 ms.
struct Answering {
    UINT_PTR timer = 0;
    HWND answered = nullptr;
    std::vector<std::string> texts;
};
Answering* answering = nullptr;

void AnswerTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!answering)
        return;
    HWND box = toolkit::FormTester::ActiveModalWindow();
    if (!box || box == answering->answered || !IsWindowVisible(box))
        return;
    auto* form = dynamic_cast<toolkit::TMessageForm*>(toolkit::TWinControl::FindControl(box));
    if (!form)
        return;
    for (toolkit::TButton* button : form->Buttons())
        if (button->Name() == u"OK") {
            answering->answered = box;
            answering->texts.push_back(Utf16ToUtf8(form->MessageLabel()->Caption()));
            ClickAt(ScreenPointOf(button));
            return;
        }
}

} // namespace

const std::string& SessionProblem()
{
    return S().problem;
}

std::string ConfigText()
{
    std::ifstream in(S().folder / "Config.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

POINT ScreenPointOf(toolkit::TControl* control)
{
    return toolkit::FormTester::ScreenPoint(control);
}

POINT ScreenPointOf(toolkit::TControl* control, POINT local)
{
    return toolkit::FormTester::ScreenPoint(control, local);
}

void MoveMouse(POINT at)
{
    // xdotool's --sync waits for the pointer to move, which never comes when it is there already.
    std::string where;
    if (FILE* pipe = ::popen("xdotool getmouselocation --shell 2>/dev/null", "r")) {
        char buffer[64];
        while (std::fgets(buffer, sizeof buffer, pipe))
            where += buffer;
        ::pclose(pipe);
    }
    if (where.find("X=" + std::to_string(at.x) + "\n") != std::string::npos &&
        where.find("Y=" + std::to_string(at.y) + "\n") != std::string::npos)
        return;
    Xdotool("mousemove --sync " + std::to_string(at.x) + " " + std::to_string(at.y));
}

void ClickAt(POINT at, int button)
{
    MoveMouse(at);
    Xdotool("click " + std::to_string(button));
}

void MouseDown()
{
    Xdotool("mousedown 1");
}

void MouseUp()
{
    Xdotool("mouseup 1");
}

void Key(const std::string& keys)
{
    Xdotool("key " + keys);
}

void Type(const std::string& text)
{
    Xdotool("type --delay 30 " + Quoted(text));
}

MessageAnswerer::MessageAnswerer()
{
    answering = new Answering;
    answering->timer = SetTimer(nullptr, 0, 50, AnswerTick);
}

MessageAnswerer::~MessageAnswerer()
{
    KillTimer(nullptr, answering->timer);
    delete answering;
    answering = nullptr;
}

const std::vector<std::string>& MessageAnswerer::Texts() const
{
    return answering->texts;
}

COLORREF ScreenColor(POINT at)
{
    return gtktest::ScreenPixel(at.x, at.y);
}

void SaveScreen(const std::string& fileName)
{
    SavePng(gtk::GrabScreen(RECT{0, 0, 1280, 1024}), LUMO_BINARY_DIR "/tests/" + fileName);
}

} // namespace settingse2e
