// Process entry. The same executable is the browser process and each of the engine's
// sub-processes: the engine's gate decides which, before anything of the program exists.
#include "app/StartupProxy.h"
#include "app/PlatformChoice.h"
#include "app/WindowSet.h"
#include "engine/CefLib.h"
#include "platform/system/Paths.h"
#include "platform/core/Platform.h"
#include "toolkit/TApplication.h"
#include "ui/main/ConfigLocation.h"

#include <cstdio>

namespace {

void RegisterSchemes(engine::ICefSchemeRegistrar& registrar)
{
    registrar.AddCustomScheme(u"local", true, true, false);
}

// Builds the platform; without a display says so and answers false. The engine stays loaded
// until the caller finalises it: ending the process from here would tear the engine down from
// under its own threads.
bool StartPlatform()
{
    try {
        app::StartPlatform();
        return true;
    } catch (const app::NoDisplayError& e) {
        std::fprintf(stderr, "lumo: %s\n", e.what());
        return false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    app::StartupArguments arguments(argc, argv, ui::ConfigFilePath());
    engine::CefSetMainArgs(arguments.Count(), arguments.Values());
    engine::CefOnRegisterCustomSchemes = RegisterSchemes;
    engine::CefSingleProcess = false;

    bool browserProcess = false;
    try {
        browserProcess = engine::CefLoadLibDefault();
    } catch (...) {
        // Nothing of the program exists yet: the report needs the platform. Without a display
        // there is no window to show it in, so it goes to standard error beside that reason.
        if (StartPlatform()) {
            toolkit::TApplication::HandleCurrentException(nullptr);
        } else {
            std::string report = platform::Utf16ToUtf8(toolkit::TApplication::CurrentExceptionReport());
            std::fprintf(stderr, "lumo: %s\n", report.c_str());
        }
        engine::CefFinalize();
        return 1;
    }
    if (!browserProcess) {
        engine::CefFinalize();
        return 0;
    }

    int exitCode = StartPlatform() ? app::RunWindowSet() : 1;
    engine::CefFinalize();
    return exitCode;
}
