// The timers that are set, window and thread timers alike. Internal to the window system.
#pragma once

#include "platform/window/Timer.h"

#include <vector>

namespace platform::detail {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    DWORD due = 0;
    bool signalled = false; // a WM_TIMER for it was handed out and not yet dispatched
};

struct TimerTable {
    std::vector<Timer> list;
    UINT_PTR nextThreadTimerId = 0x7F00;
};

} // namespace platform::detail
