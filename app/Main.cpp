// Process entry. The same executable is the browser process and each of the engine's
// sub-processes: the engine's gate decides which, before anything of the program exists.
#include "app/WindowSet.h"
#include "engine/CefLib.h"
#include "platform/core/Platform.h"
#include "toolkit/TApplication.h"

namespace {

void RegisterSchemes(engine::ICefSchemeRegistrar& registrar)
{
    registrar.AddCustomScheme(u"local", true, true, false);
}

} // namespace

int main(int argc, char** argv)
{
    engine::CefSetMainArgs(argc, argv);
    engine::CefOnRegisterCustomSchemes = RegisterSchemes;
    engine::CefSingleProcess = false;

    bool browserProcess = false;
    try {
        browserProcess = engine::CefLoadLibDefault();
    } catch (...) {
        // Nothing of the program exists yet: the report needs the platform, and then the process ends.
        platform::InitPlatform();
        toolkit::TApplication::HandleCurrentException(nullptr);
        engine::CefFinalize();
        return 1;
    }
    if (!browserProcess) {
        engine::CefFinalize();
        return 0;
    }

    int exitCode = app::RunWindowSet();
    engine::CefFinalize();
    return exitCode;
}
