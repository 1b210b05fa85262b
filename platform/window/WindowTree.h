// The window tree: every live window by handle, the registered classes, the two roots (the desktop
// and the parent of message-only windows) and the windows destroyed while a call-out still runs.
// Internal to the window system.
#pragma once

#include "platform/window/WindowRecord.h"

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::detail {

struct WindowTree {
    WindowTree();

    std::unordered_map<HWND, Window*> handles;
    std::map<String, std::shared_ptr<WindowClass>> classes; // keyed by lower-case name
    ATOM nextAtom = 0xC000;
    std::uintptr_t nextHandle = 0x10000;
    std::unique_ptr<Window> desktop;
    std::unique_ptr<Window> messageRoot;
    std::vector<std::unique_ptr<Window>> graveyard; // destroyed, freed when nothing is on the stack
    std::vector<std::unique_ptr<Window>> owned;     // every live window
    int callouts = 0; // window procedures, hooks and timer procedures running
    int cascade = 0;  // where the next overlapped window at CW_USEDEFAULT goes
};

} // namespace platform::detail
