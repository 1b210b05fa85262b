// The platform in use: building it from what the program chose, throwing the last one away, and
// the screen its backend reports.
#include "platform/window/WindowInternal.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Platform.h"
#include "platform/core/Screen.h"
#include "platform/image/Image.h"

#include <algorithm>
#include <cstdio>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace detail {

namespace {

// Owned. Never freed at exit: objects of the program that windows still point at may be gone by
// then, and the system takes everything back anyway.
PlatformState* current = nullptr;

std::unique_ptr<Backend> VirtualScreenOnRealTime()
{
    HeadlessOptions options;
    options.virtualClock = false;
    return std::make_unique<HeadlessBackend>(options);
}

// Destroys every window (with the messages that go with it) while the platform is still the one
// in use, so that window procedures can call it to the end.
void TearDown(PlatformState& s)
{
    // No hook may keep a window alive, and no timer may fire while the windows go.
    for (auto& hook : s.hooks.list)
        hook.proc = nullptr;
    s.timers.list.clear();
    ResetWindowSystem();
    CollectGarbage();
}

} // namespace

PlatformState::PlatformState(std::unique_ptr<Backend> backendInUse)
    : sysColors(ClassicSystemColors()),
      backend(backendInUse ? std::move(backendInUse) : VirtualScreenOnRealTime()),
      uiThread(std::this_thread::get_id()),
      uiThreadId(DWORD(::syscall(SYS_gettid)))
{
    SIZE size = backend->ScreenSize();
    tree.desktop->rect = RECT{0, 0, size.cx, size.cy};
    tree.desktop->client = tree.desktop->rect;
}

PlatformState& S()
{
    if (!current)
        current = new PlatformState(nullptr);
    return *current;
}

Backend& TheBackend()
{
    return *S().backend;
}

void MaybeTakeScreenshot()
{
    auto& s = S();
    std::string path = std::move(s.compositor.screenshotPath);
    s.compositor.screenshotPath.clear();
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

void InitPlatform(PlatformOptions options)
{
    auto fresh = std::make_unique<PlatformState>(std::move(options.backend));
    if (current) {
        TearDown(*current);
        // Only the numbering goes on: a handle kept from the old platform (by code above that
        // missed its destruction) never names a window or hook of the new one.
        fresh->tree.nextHandle = std::max(fresh->tree.nextHandle, current->tree.nextHandle);
        fresh->hooks.nextHook = std::max(fresh->hooks.nextHook, current->hooks.nextHook);
    }
    fresh->compositor.screenshotPath = std::move(options.screenshotPath);
    // The old one goes once the new one is in use: what its backend does on the way out may
    // already call the platform.
    std::unique_ptr<PlatformState> old(current);
    current = fresh.release();
    old.reset();
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
