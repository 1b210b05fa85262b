// One platform: every subsystem of the window system, owned together, so that building a fresh
// one (a program at start, a test before each case) leaves nothing behind of the last. Not for
// use outside platform/.
#pragma once

#include "platform/core/Backend.h"
#include "platform/core/WinUser.h"
#include "platform/window/Compositor.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/DcTable.h"
#include "platform/window/HookChain.h"
#include "platform/window/InputState.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/TimerTable.h"
#include "platform/window/WindowTree.h"

#include <array>
#include <map>
#include <memory>
#include <thread>

namespace platform::detail {

struct PlatformState {
    explicit PlatformState(std::unique_ptr<Backend> backend);

    WindowTree tree;
    MessageQueue queue;
    InputState input;
    TimerTable timers;
    HookChain hooks;
    Compositor compositor;
    DcTable dcs;
    std::map<HWND, String> webViewAddresses; // the last address each web view was sent to
    std::array<COLORREF, SYSCOLOR_COUNT> sysColors;
    SysColorReplacement sysColorReplacement;
    bool answerMessageBoxesAtOnce = false; // on the virtual screen, see frame/MessageBox.h

    std::unique_ptr<Backend> backend;
    std::thread::id uiThread;
    DWORD uiThreadId = 0;
};

// The platform in use; a virtual screen on real time is made on first use when the program has
// not set one up.
PlatformState& S();

} // namespace platform::detail
