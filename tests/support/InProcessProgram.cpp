#include "InProcessProgram.h"

#include "../engine/TestEngine.h"
#include "../platform/gtk/RealScreen.h"
#include "../platform/gtk/VirtualDisplay.h"

#include "app/WindowSet.h"
#include "engine/CefLib.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "platform/window/Window.h"
#include "toolkit/TApplication.h"
#include "ui/main/TForm1.h"

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

toolkit::TApplication* ShowProgram(const std::u16string& config, std::string& problem)
{
    toolkit::TApplication* application = app::CreateApplication();
    app::CreateWindows(application, config);
    ui::Form1->Show();
    if (!gtktest::PumpUntil([] { return platform::IsWindowVisible(ui::Form1->Handle()); }, 10000)) {
        problem = "the main window never showed";
        EndProgram(application);
        return nullptr;
    }
    gtktest::Pump(300);
    return application;
}

void EndProgram(toolkit::TApplication*& application)
{
    delete application;
    application = nullptr;
    app::ForgetWindowSet();
    gtktest::Pump(100);
    engine::CefShutDown();
}

} // namespace e2e
