#include "SkinSession.h"

#include "../../engine/TestEngine.h"
#include "../../support/InProcessProgram.h"
#include "../../platform/gtk/VirtualDisplay.h"

#include "app/WindowSet.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "toolkit/TApplication.h"
#include "ui/main/TForm1.h"

#include <filesystem>

namespace skine2e {

namespace {

using namespace platform;

struct SessionState {
    std::string problem = "the session did not start";
    toolkit::TApplication* application = nullptr;
};

SessionState& S()
{
    static SessionState state;
    return state;
}

class Session : public ::testing::Environment {
public:
    void SetUp() override
    {
        SessionState& s = S();
        s.problem = e2e::StartGtkWithTestEngine();
        if (!s.problem.empty())
            return;
        MoveMouse(Away);
        s.application = app::CreateApplication();
        // A path under a file: every setting reads as its default, the default skin included.
        app::CreateWindows(s.application, u"/dev/null/Config.ini");
        ui::Form1->Show();
        if (!PumpUntil([] { return IsWindowVisible(ui::Form1->Handle()); }, 10000)) {
            s.problem = "the main window never showed";
            return;
        }
        Pump(300);
        s.problem.clear();
    }

    void TearDown() override
    {
        SessionState& s = S();
        delete s.application;
        s.application = nullptr;
        app::ForgetWindowSet();
        Pump(100);
        engine::CefShutDown();
        std::filesystem::remove(enginetest::LogPath());
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

const std::string& SessionProblem() { return S().problem; }

} // namespace skine2e
