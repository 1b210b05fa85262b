// Starting the platform layer.
//
// InitPlatform reads the environment once, on the UI thread, before any window exists:
// - LUMO_BACKEND: "headless" for the virtual screen (also the default for now);
// - LUMO_SCREENSHOT=FILE: once every window is painted and nothing is ready in the queue, the
//   screen is written to FILE as PNG and PostQuitMessage(0) ends the message loop (1 when the file
//   cannot be written, after a message on standard error).
#pragma once

namespace platform {

void InitPlatform();

} // namespace platform
