// Starting the platform layer.
//
// InitPlatform reads the environment once, on the UI thread, before any window exists:
// - LUMO_BACKEND: "gtk" for real windows on the X display, "headless" for the virtual screen;
//   without it, real windows (or the virtual screen in the screenshot mode, and in programs built
//   without real windows). When no display can be opened for real windows, "cannot open
//   display" goes to standard error and the program ends with exit code 1;
// - LUMO_SCREENSHOT=FILE: once every window is painted and nothing is ready in the queue, the
//   screen is written to FILE as PNG and PostQuitMessage(0) ends the message loop (1 when the file
//   cannot be written, after a message on standard error).
#pragma once

namespace platform {

void InitPlatform();

} // namespace platform
