// How the program shows its windows, from its environment:
// - LUMO_BACKEND: "gtk" for real windows on the X display, "headless" for the virtual screen;
//   without it, real windows (or the virtual screen in the screenshot mode);
// - LUMO_SCREENSHOT=FILE: once every window is painted and nothing is ready in the queue, the
//   screen is written to FILE as PNG and the message loop ends (see platform/core/Platform.h);
// - LUMO_HEADLESS_ANSWER=default: on the virtual screen each message box answers at once with
//   its default button.
#pragma once

#include <stdexcept>

namespace app {

// Real windows were asked for (or are the default) and no display can be opened.
class NoDisplayError : public std::runtime_error {
public:
    NoDisplayError() : std::runtime_error("cannot open display") {}
};

// Builds the platform as the environment says. Throws NoDisplayError.
void StartPlatform();

} // namespace app
