// Hidden message windows (class "TPUtilWindow") for components without a window of their own,
// such as timers: messages to the window go to the given method.
#pragma once

#include "platform/window/Window.h"
#include "toolkit/Messages.h"

namespace toolkit {

platform::HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(platform::HWND hwnd);

} // namespace toolkit
