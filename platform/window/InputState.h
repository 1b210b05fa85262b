// Input as the window system keeps it: the events a backend delivered and not yet turned into
// messages, the keyboard and mouse state, mouse tracking, and where focus, activation and capture
// are. Internal to the window system.
#pragma once

#include "platform/core/Backend.h"
#include "platform/window/Cursor.h"

#include <array>
#include <deque>

namespace platform::detail {

// Modal tracking of the default frame: dragging by the caption, pressing a caption button.
struct FrameTracker {
    enum class Kind { None, Move, Button } kind = Kind::None;
    HWND hwnd = nullptr;
    POINT start{};     // screen
    RECT startRect{};  // the window's rectangle when the drag began (parent coordinates)
    LRESULT button = HTNOWHERE;
};

struct MouseLeaveTrack {
    HWND hwnd = nullptr;
};

struct HoverTrack {
    HWND hwnd = nullptr;
    DWORD time = 0;  // milliseconds the mouse must rest
    DWORD since = 0; // tick count when it came to rest
    POINT anchor{};  // screen; moving a few pixels away from it starts the wait again
};

struct InputState {
    std::deque<InputEvent> events;
    std::array<BYTE, 256> keys{};
    POINT cursor{};
    UINT lastKeyVk = 0;
    String lastKeyText;

    HWND mouseWindow = nullptr; // under the mouse at the last move
    LRESULT mouseHit = HTNOWHERE;
    MouseLeaveTrack clientTrack;
    MouseLeaveTrack ncTrack;
    HoverTrack clientHover;
    HoverTrack ncHover;
    FrameTracker tracker;
    const CursorId* cursorShape = nullptr;

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = false;
};

} // namespace platform::detail
