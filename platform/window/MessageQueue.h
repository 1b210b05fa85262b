// The UI thread's message queue: posted messages (shared with other threads), the quit request,
// and what GetMessagePos and GetMessageTime answer. Internal to the window system.
#pragma once

#include "platform/window/Message.h"

#include <deque>
#include <mutex>

namespace platform::detail {

struct MessageQueue {
    std::mutex postedMutex;
    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
    DWORD lastMessagePos = 0;
    DWORD lastMessageTime = 0;
    bool maybePaint = false; // a window may need painting: look before waiting
};

} // namespace platform::detail
