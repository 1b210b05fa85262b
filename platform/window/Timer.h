// Timers. A window timer (hwnd given) is keyed by its window and id; a thread timer (hwnd null)
// gets a generated id, unless id names an existing thread timer, which is then reset. Timers are
// messages of the lowest priority: WM_TIMER is synthesised when one is due and nothing else is
// ready, at most once per timer until it is retrieved. DispatchMessage calls the timer procedure
// when there is one (the message's lParam), else the window. A killed timer never fires again,
// even when killed inside its own handler; the timers of a window die with it.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform {

using TIMERPROC = void (*)(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

// elapse is clamped to at least 10 ms. Answers the timer's id (for a window timer with id 0,
// answers 1), 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
bool KillTimer(HWND hwnd, UINT_PTR id);

} // namespace platform
