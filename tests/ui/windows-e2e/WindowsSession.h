// The program's seven windows on a private X server with the real engine library, started as the
// program starts: the stored proxy of a Config.ini in a folder of the session's own goes through
// the start-up arguments to the engine and the web views, and the home site's pages come from the
// test's proxy server. With LUMO_WINDOWS_E2E_PROXY=0 the stored proxy is switched off.
#pragma once

#include "../../support/ProxyServer.h"

#include "../../platform/gtk/RealScreen.h"
#include "../../platform/gtk/VirtualDisplay.h"

#include "platform/window/Window.h"
#include "toolkit/TApplication.h"

#include <gtest/gtest.h>

#include <string>

namespace windowse2e {

using gtktest::Pump;
using gtktest::PumpUntil;
using gtktest::ScreenPixel;
using gtktest::Xdotool;

e2e::ProxyServer& Server();
// Empty when the display, the server, the engine and the windows all came up; otherwise what failed.
const std::string& SessionProblem();
toolkit::TApplication& App();
// Whether the stored proxy is on in this process's Config.ini.
bool StoredProxyOn();

// The background colours of the served pages, to see them on the screen.
inline constexpr platform::COLORREF HomeColor = platform::RGB(0, 0, 160);
inline constexpr platform::COLORREF GuideColor = platform::RGB(0, 160, 0);
inline constexpr platform::COLORREF TalesColor = platform::RGB(160, 0, 160);

// A real click of the button (1 left, 3 right) at a screen point.
void ClickAt(platform::POINT at, int button);

} // namespace windowse2e
