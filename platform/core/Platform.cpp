// Starting the platform: the backend in use, the screen it reports, and the environment the
// program is started with.
#include "platform/window/WindowInternal.h"

#include "platform/image/Image.h"
#include "platform/core/Platform.h"
#include "platform/core/Screen.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace detail {

namespace {

void AdoptBackend(std::unique_ptr<Backend> backend)
{
    auto& s = S();
    s.backend = std::move(backend);
    SIZE size = s.backend->ScreenSize();
    s.desktop->rect = RECT{0, 0, size.cx, size.cy};
    s.desktop->client = s.desktop->rect;
}

} // namespace

Backend& TheBackend()
{
    auto& s = S();
    if (!s.backend) {
        HeadlessOptions options;
        options.virtualClock = false;
        AdoptBackend(std::make_unique<HeadlessBackend>(options));
    }
    return *s.backend;
}

void MaybeTakeScreenshot()
{
    auto& s = S();
    std::string path = std::move(s.screenshotPath);
    s.screenshotPath.clear();
    Compose();
    Bitmap* screen = TheBackend().ScreenPicture();
    int code = 0;
    try {
        if (!screen)
            throw ImageError("this backend has no screen picture");
        SavePng(*screen, path);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumo: cannot write the screenshot %s: %s\n", path.c_str(), e.what());
        code = 1;
    }
    PostQuitMessage(code);
}

} // namespace detail

using namespace detail;

Backend& GetBackend()
{
    return TheBackend();
}

void SetBackend(std::unique_ptr<Backend> backend)
{
    if (!backend)
        return;
    auto& s = S();
    if (!s.desktop->children.empty() || !s.messageRoot->children.empty())
        ResetWindowSystem();
    AdoptBackend(std::move(backend));
}

void InitPlatform()
{
    auto& s = S();
    const char* name = std::getenv("LUMO_BACKEND");
    const char* shotEnv = std::getenv("LUMO_SCREENSHOT");
    // The screenshot mode reads the virtual screen, so it keeps to it unless a backend is named.
    bool named = name && *name;
    // Programs built without real windows (the unit tests) keep to the virtual screen.
    bool realWindows = CreateGtkBackend != nullptr;
    if (named && std::strcmp(name, "gtk") == 0 && !realWindows) {
        std::fputs("lumo: this program was built without real windows\n", stderr);
        std::exit(1);
    }
    if ((named && std::strcmp(name, "gtk") == 0) || (!named && realWindows && !(shotEnv && *shotEnv))) {
        std::unique_ptr<Backend> gtk = CreateGtkBackend();
        if (!gtk) {
            std::fputs("lumo: cannot open display\n", stderr);
            std::exit(1);
        }
        SetBackend(std::move(gtk));
        if (shotEnv && *shotEnv)
            s.screenshotPath = shotEnv;
        return;
    }
    if (named && std::strcmp(name, "headless") != 0)
        std::fprintf(stderr, "lumo: the backend \"%s\" is not available; using the virtual screen\n", name);
    HeadlessOptions options;
    options.virtualClock = false;
    SetBackend(std::make_unique<HeadlessBackend>(options));
    if (const char* shot = std::getenv("LUMO_SCREENSHOT"); shot && *shot)
        s.screenshotPath = shot;
}

SIZE GetScreenSize()
{
    return TheBackend().ScreenSize();
}

RECT GetWorkArea()
{
    return TheBackend().WorkArea();
}

} // namespace platform
