// The thread hooks that are set, newest first. Internal to the window system.
#pragma once

#include "platform/window/Hook.h"

#include <cstdint>
#include <vector>

namespace platform::detail {

struct Hook {
    HHOOK handle = nullptr;
    int kind = 0;
    HOOKPROC proc = nullptr;
};

struct HookChain {
    std::vector<Hook> list; // newest first
    std::uintptr_t nextHook = 0x20000;
    int running = 0; // hook procedures on the stack: removed hooks stay (inert) until none is
};

} // namespace platform::detail
