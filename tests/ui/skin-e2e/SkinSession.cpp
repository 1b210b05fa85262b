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
        // A path under a file: every setting reads as its default, the default skin included.
        s.application = e2e::ShowProgram(u"/dev/null/Config.ini", s.problem);
        if (!s.application)
            return;
        s.problem.clear();
    }

    void TearDown() override
    {
        SessionState& s = S();
        e2e::EndProgram(s.application);
        std::filesystem::remove(enginetest::LogPath());
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

const std::string& SessionProblem() { return S().problem; }

} // namespace skine2e
