// The virtual screen: windows composed into one picture in memory, input injected by tests, and a
// clock that tests advance by hand (the program itself runs it on real time).
#pragma once

#include "platform/core/Backend.h"
#include "platform/core/Bitmap.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

namespace platform {

struct HeadlessOptions {
    SIZE screen{1280, 1024};
    COLORREF desktop = RGB(58, 110, 165);
    // The screen less a 40-pixel panel at the bottom when empty.
    RECT workArea{};
    // A clock that moves only when advanced (or when the UI thread would wait for a timer).
    bool virtualClock = true;
    // The virtual screen composes layered windows itself; tests switch this off to stand for a
    // desktop without a compositing manager.
    bool layeredWindows = true;
};

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(const HeadlessOptions& options = {});

    SIZE ScreenSize() const override { return options_.screen; }
    RECT WorkArea() const override { return options_.workArea; }
    void CreateSurface(const SurfaceDesc& desc) override;
    void DestroySurface(HWND hwnd) override;
    void ShowSurface(HWND hwnd, bool visible) override;
    void MoveSurface(HWND hwnd, const RECT& screenRect) override;
    void StackSurfaces(const std::vector<HWND>& topToBottom) override;
    void SetSurfaceTitle(HWND hwnd, StringView title) override;
    void SetSurfaceIcon(HWND hwnd, HICON icon) override;
    void SetSurfaceShape(HWND hwnd, const Region* shape) override;
    void PresentSurface(HWND hwnd, const Bitmap& picture, const RECT& damage) override;
    Bitmap* ScreenPicture() override { return &screen_; }
    void ScreenChanged(const RECT& damage) override;
    COLORREF DesktopColor() const override { return options_.desktop; }
    bool ComposesLayeredWindows() const override { return options_.layeredWindows; }
    void SetComposesLayeredWindows(bool value) { options_.layeredWindows = value; }
    DWORD TickCount() override;
    void PollEvents() override {}
    void WaitForEvents(DWORD timeoutMs) override;
    void Wake() override;
    void SetCursorShape(const CursorId* cursor) override { cursor_ = cursor; }
    void WarpCursor(POINT p) override { cursorPos_ = p; }
    String ClipboardText() override { return clipboard_; }
    void SetClipboardText(StringView text) override { clipboard_ = String(text); }

    // What a test can see.
    const Bitmap& Screen() const { return screen_; }
    const CursorId* Cursor() const { return cursor_; }
    POINT CursorPosition() const { return cursorPos_; }
    bool UsesVirtualClock() const { return options_.virtualClock; }
    void AdvanceClock(DWORD ms);
    // The native view of the surfaces, kept as the platform reports them.
    struct SurfaceState {
        RECT rect{};
        bool visible = false;
        String title;
        int presents = 0;
    };
    const std::map<HWND, SurfaceState>& Surfaces() const { return surfaces_; }
    std::vector<HWND> Stacking() const { return stacking_; }
    RECT LastScreenDamage() const { return lastDamage_; }

private:
    HeadlessOptions options_;
    Bitmap screen_;
    const CursorId* cursor_ = nullptr;
    POINT cursorPos_{};
    String clipboard_;
    std::map<HWND, SurfaceState> surfaces_;
    std::vector<HWND> stacking_;
    RECT lastDamage_{};

    DWORD virtualNow_ = 0x1000;
    std::int64_t realStart_ = 0;
    std::mutex wakeMutex_;
    std::condition_variable wakeCondition_;
    bool woken_ = false;
};

namespace headless {

// Builds a fresh platform on a fresh virtual screen (with a virtual clock unless the options say
// otherwise), throwing the last one away with every window of it. Tests call it first.
HeadlessBackend& Reset(const HeadlessOptions& options = {});
// The backend in use; throws std::logic_error when it is not the headless one.
HeadlessBackend& Current();

// Injected input, at screen positions. It is queued; ProcessMessages delivers it.
void MouseMove(POINT p);
void MouseDown(POINT p, MouseButton button = MouseButton::Left);
void MouseUp(POINT p, MouseButton button = MouseButton::Left);
void Click(POINT p, MouseButton button = MouseButton::Left); // move, down, up
void DoubleClick(POINT p, MouseButton button = MouseButton::Left); // two clicks, the second a double click
void Wheel(POINT p, int delta);
void KeyDown(UINT vk, StringView text = {});
void KeyUp(UINT vk);
// Each UTF-16 unit as a key press producing it.
void TypeText(StringView text);

// Advances the virtual clock (timers become due; nothing is dispatched yet).
void AdvanceClock(DWORD ms);
// Runs the message loop until nothing is ready (posted, input, paint and due timers), composes
// the screen, and answers the number of messages dispatched. Stops at WM_QUIT, re-posting it.
int ProcessMessages();
// Advances the clock in steps of at most stepMs, processing messages after each step.
void RunFor(DWORD ms, DWORD stepMs = 10);

// The composed screen, after composing what is pending.
const Bitmap& Screenshot();
// One top-level window's own picture (its back buffer, or its layered picture), unobscured.
Bitmap WindowShot(HWND hwnd);
// Throws ImageError when the file cannot be written.
void SaveScreenshot(const std::string& path);

// The timers set and not yet killed, window and thread timers alike: what a long run counts to
// see that nothing it started is left ticking.
std::size_t TimerCount();

} // namespace headless
} // namespace platform
