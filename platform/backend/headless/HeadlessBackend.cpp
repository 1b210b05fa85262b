#include "platform/backend/headless/HeadlessBackend.h"

#include "platform/core/Platform.h"
#include "platform/core/PlatformState.h"
#include "platform/image/Image.h"
#include "platform/window/Message.h"
#include "platform/window/WindowInternal.h"

#include <chrono>
#include <stdexcept>

namespace platform {

namespace {

std::int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options)
    : options_(options)
{
    options_.screen.cx = std::clamp<LONG>(options_.screen.cx, 1, Bitmap::MaxSide);
    options_.screen.cy = std::clamp<LONG>(options_.screen.cy, 1, Bitmap::MaxSide);
    if (options_.workArea.IsEmpty())
        options_.workArea = RECT{0, 0, options_.screen.cx, std::max<LONG>(1, options_.screen.cy - 40)};
    screen_.SetSize(options_.screen.cx, options_.screen.cy);
    screen_.Fill(ColorToPixel(options_.desktop));
    realStart_ = SteadyMilliseconds();
}

void HeadlessBackend::CreateSurface(const SurfaceDesc& desc)
{
    surfaces_[desc.hwnd] = SurfaceState{desc.rect, false, {}, 0};
    stacking_.insert(stacking_.begin(), desc.hwnd);
}

void HeadlessBackend::DestroySurface(HWND hwnd)
{
    surfaces_.erase(hwnd);
    std::erase(stacking_, hwnd);
}

void HeadlessBackend::ShowSurface(HWND hwnd, bool visible)
{
    if (auto it = surfaces_.find(hwnd); it != surfaces_.end())
        it->second.visible = visible;
}

void HeadlessBackend::MoveSurface(HWND hwnd, const RECT& screenRect)
{
    if (auto it = surfaces_.find(hwnd); it != surfaces_.end())
        it->second.rect = screenRect;
}

void HeadlessBackend::StackSurfaces(const std::vector<HWND>& topToBottom)
{
    stacking_ = topToBottom;
}

void HeadlessBackend::SetSurfaceTitle(HWND hwnd, StringView title)
{
    if (auto it = surfaces_.find(hwnd); it != surfaces_.end())
        it->second.title = String(title);
}

void HeadlessBackend::SetSurfaceIcon(HWND, HICON) {}

void HeadlessBackend::SetSurfaceShape(HWND, const Region*) {}

void HeadlessBackend::PresentSurface(HWND hwnd, const Bitmap&, const RECT&)
{
    if (auto it = surfaces_.find(hwnd); it != surfaces_.end())
        ++it->second.presents;
}

void HeadlessBackend::ScreenChanged(const RECT& damage)
{
    lastDamage_ = damage;
}

DWORD HeadlessBackend::TickCount()
{
    if (options_.virtualClock)
        return virtualNow_;
    return DWORD(0x1000 + (SteadyMilliseconds() - realStart_));
}

void HeadlessBackend::AdvanceClock(DWORD ms)
{
    virtualNow_ += ms;
}

void HeadlessBackend::WaitForEvents(DWORD timeoutMs)
{
    std::unique_lock lock(wakeMutex_);
    if (woken_) {
        woken_ = false;
        return;
    }
    if (options_.virtualClock && timeoutMs != INFINITE) {
        // Nothing can arrive on a virtual screen while the UI thread waits: time jumps to the deadline.
        virtualNow_ += timeoutMs;
        return;
    }
    auto limit = std::chrono::milliseconds(options_.virtualClock ? 5000 : timeoutMs);
    bool woke = timeoutMs == INFINITE && !options_.virtualClock
                    ? (wakeCondition_.wait(lock, [this] { return woken_; }), true)
                    : wakeCondition_.wait_for(lock, limit, [this] { return woken_; });
    woken_ = false;
    if (!woke && options_.virtualClock && timeoutMs == INFINITE)
        throw std::runtime_error("the UI thread waits for a message that nothing will send");
}

void HeadlessBackend::Wake()
{
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeCondition_.notify_all();
}

namespace headless {

using namespace detail;

HeadlessBackend& Reset(const HeadlessOptions& options)
{
    InitPlatform(PlatformOptions{.backend = std::make_unique<HeadlessBackend>(options)});
    return Current();
}

HeadlessBackend& Current()
{
    auto* b = dynamic_cast<HeadlessBackend*>(&TheBackend());
    if (!b)
        throw std::logic_error("the backend in use is not the virtual screen");
    return *b;
}

namespace {

void Queue(InputEvent::Kind kind, POINT p, MouseButton button = MouseButton::Left)
{
    InputEvent e;
    e.kind = kind;
    e.pt = p;
    e.button = button;
    Current().WarpCursor(p);
    QueueInputEvent(e);
}

} // namespace

void MouseMove(POINT p) { Queue(InputEvent::Kind::MouseMove, p); }
void MouseDown(POINT p, MouseButton button) { Queue(InputEvent::Kind::ButtonDown, p, button); }
void MouseUp(POINT p, MouseButton button) { Queue(InputEvent::Kind::ButtonUp, p, button); }

void Click(POINT p, MouseButton button)
{
    MouseMove(p);
    MouseDown(p, button);
    MouseUp(p, button);
}

void DoubleClick(POINT p, MouseButton button)
{
    Click(p, button);
    Queue(InputEvent::Kind::DoubleClick, p, button);
    MouseUp(p, button);
}

void Wheel(POINT p, int delta)
{
    InputEvent e;
    e.kind = InputEvent::Kind::Wheel;
    e.pt = p;
    e.wheelDelta = delta;
    QueueInputEvent(e);
}

void KeyDown(UINT vk, StringView text)
{
    InputEvent e;
    e.kind = InputEvent::Kind::KeyDown;
    e.vk = vk;
    e.text = String(text);
    QueueInputEvent(e);
}

void KeyUp(UINT vk)
{
    InputEvent e;
    e.kind = InputEvent::Kind::KeyUp;
    e.vk = vk;
    QueueInputEvent(e);
}

void TypeText(StringView text)
{
    for (char16_t c : text) {
        UINT vk = 0;
        if (c >= u'a' && c <= u'z')
            vk = UINT(c - u'a' + u'A');
        else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ')
            vk = UINT(c);
        KeyDown(vk, StringView(&c, 1));
        KeyUp(vk);
    }
}

void AdvanceClock(DWORD ms)
{
    Current().AdvanceClock(ms);
}

int ProcessMessages()
{
    int count = 0;
    MSG msg;
    for (int guard = 0; guard < 1000000; ++guard) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Compose();
            return count;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            Compose();
            return count;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++count;
    }
    throw std::runtime_error("the message queue never runs empty");
}

void RunFor(DWORD ms, DWORD stepMs)
{
    stepMs = std::max<DWORD>(stepMs, 1);
    while (ms > 0) {
        DWORD d = std::min(ms, stepMs);
        AdvanceClock(d);
        ProcessMessages();
        ms -= d;
    }
}

const Bitmap& Screenshot()
{
    Compose();
    return Current().Screen();
}

Bitmap WindowShot(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return Bitmap();
    w = TopLevelOf(w);
    return w->layeredPicture ? w->picture : w->backBuffer;
}

void SaveScreenshot(const std::string& path)
{
    SavePng(Screenshot(), path);
}

std::size_t TimerCount()
{
    return S().timers.list.size();
}

} // namespace headless
} // namespace platform
