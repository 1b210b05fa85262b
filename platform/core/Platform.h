// Starting the platform layer.
//
// The program chooses how its windows are shown (the virtual screen, or real windows through
// platform/backend/gtk) and reads its own settings; InitPlatform builds the platform from them,
// on the UI thread, before any window exists. Building it again throws the old one away whole:
// every window of it is destroyed first, and nothing of it (windows, classes, queue, timers,
// hooks, input, system colours) reaches the new one. Tests build one before each case.
#pragma once

#include "platform/core/Backend.h"

#include <memory>
#include <string>

namespace platform {

struct PlatformOptions {
    // Null: the virtual screen on real time.
    std::unique_ptr<Backend> backend;
    // Once every window is painted and nothing is ready in the queue, the screen is written to
    // this file as PNG and PostQuitMessage(0) ends the message loop (1 when the file cannot be
    // written, after a message on standard error). Empty: never.
    std::string screenshotPath;
};

void InitPlatform(PlatformOptions options = {});

} // namespace platform
