// The seam between the platform layer and what shows its windows. The platform keeps the window
// tree and paints every top-level window into a back buffer of its own; a backend shows those
// pictures (one native surface per top-level window, or one composed screen picture), delivers
// input, keeps time and lets the UI thread wait.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/Region.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <memory>
#include <vector>

namespace platform {

enum class MouseButton { Left, Right, Middle };

struct InputEvent {
    enum class Kind {
        MouseMove,
        ButtonDown,
        ButtonUp,
        DoubleClick, // the second press of a double click
        Wheel,
        KeyDown,
        KeyUp,
        CloseRequest, // the native surface of `surface` was asked to close
        AppActivate,  // the program's surfaces gained (active) or lost the system's focus
    };
    Kind kind = Kind::MouseMove;
    POINT pt{};                         // screen coordinates (mouse events)
    MouseButton button = MouseButton::Left;
    int wheelDelta = 0;                 // multiples of 120, positive away from the user
    UINT vk = 0;                        // virtual key (key events)
    String text;                        // characters the key produces (KeyDown), UTF-16
    HWND surface = nullptr;             // CloseRequest, AppActivate: the surface concerned
    bool active = false;                // AppActivate
    DWORD time = 0;                     // 0: stamped with GetTickCount() when queued
};

// Backends call this on the UI thread (from PollEvents or WaitForEvents).
void QueueInputEvent(InputEvent event);

struct SurfaceDesc {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    RECT rect{}; // screen coordinates
    DWORD style = 0;
    DWORD exStyle = 0;
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual SIZE ScreenSize() const = 0;
    virtual RECT WorkArea() const = 0;

    // One native surface per top-level window, created with the window, hidden at first.
    virtual void CreateSurface(const SurfaceDesc& desc) = 0;
    virtual void DestroySurface(HWND hwnd) = 0;
    virtual void ShowSurface(HWND hwnd, bool visible) = 0;
    virtual void MoveSurface(HWND hwnd, const RECT& screenRect) = 0;
    // Every top-level surface, top first.
    virtual void StackSurfaces(const std::vector<HWND>& topToBottom) = 0;
    // A minimised window's surface is iconified rather than hidden.
    virtual void SetSurfaceMinimized(HWND /*hwnd*/, bool /*minimized*/) {}
    virtual void SetSurfaceTitle(HWND hwnd, StringView title) = 0;
    virtual void SetSurfaceIcon(HWND hwnd, HICON icon) = 0;
    // Window coordinates; null: the whole rectangle.
    virtual void SetSurfaceShape(HWND hwnd, const Region* shape) = 0;
    // The window's finished picture (window coordinates, premultiplied alpha for layered windows)
    // and the part of it that changed.
    virtual void PresentSurface(HWND hwnd, const Bitmap& picture, const RECT& damage) = 0;

    // A backend that shows one composed picture of the whole screen answers it here; the platform
    // composes the windows into it by z-order and then calls ScreenChanged with what changed.
    virtual Bitmap* ScreenPicture() { return nullptr; }
    virtual void ScreenChanged(const RECT& /*damage*/) {}
    virtual COLORREF DesktopColor() const { return RGB(58, 110, 165); }
    // Whether the desktop composes windows with per-pixel alpha (layered windows look as meant).
    virtual bool ComposesLayeredWindows() const { return false; }

    // Milliseconds; wraps like the platform's tick count.
    virtual DWORD TickCount() = 0;
    // Delivers pending native events without waiting.
    virtual void PollEvents() = 0;
    // Delivers native events, waiting up to timeoutMs (INFINITE: no limit) for one or for Wake().
    virtual void WaitForEvents(DWORD timeoutMs) = 0;
    // Ends a WaitForEvents early. Any thread.
    virtual void Wake() = 0;

    virtual void SetCursorShape(const CursorId* cursor) = 0; // null: hidden
    virtual void WarpCursor(POINT screenPoint) = 0;

    virtual String ClipboardText() = 0;
    virtual void SetClipboardText(StringView text) = 0;
};

// The backend of the platform in use (core/Platform.h builds one with the backend of the
// program's choice; a virtual screen on real time is made on first use when none was built).
Backend& GetBackend();

} // namespace platform
