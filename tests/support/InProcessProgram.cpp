#include "InProcessProgram.h"

#include "../engine/TestEngine.h"
#include "../platform/gtk/VirtualDisplay.h"

#include "engine/CefLib.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"

#include <memory>

namespace e2e {

std::string StartGtkWithTestEngine()
{
    gtktest::VirtualDisplay& display = gtktest::VirtualDisplay::Instance();
    if (!display.Running())
        return display.Error();
    std::unique_ptr<platform::Backend> backend = platform::CreateGtkBackend();
    if (!backend)
        return "GTK could not open " + display.Name();
    platform::PlatformOptions options;
    options.backend = std::move(backend);
    platform::InitPlatform(std::move(options));
    enginetest::StartRecord();
    enginetest::ResetBinding(u"libcef-complete.so");
    engine::CefSingleProcess = false;
    if (!engine::CefLoadLibDefault())
        return "the test engine took this process for a sub-process";
    return {};
}

} // namespace e2e
