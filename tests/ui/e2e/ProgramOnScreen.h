// The real program on a private X server: one per test program. It runs from a folder of its own
// (a copy of the executable beside links to the engine library and its extensions, and a player
// page written by the test), started from another working directory with --proxy-server pointing
// at the test's proxy, which plays the home, channel and recommendations sites from 127.0.0.1.
// Every page the sites serve paints a coordinate grid, so a screen pixel tells which point of
// which page shows there.
#pragma once

#include "../../platform/gtk/RealScreen.h"
#include "../../support/ProxyServer.h"

#include <optional>
#include <string>

namespace programtest {

// A point of a grid page, and which page: 0 for the sites' pages, 1 for the player page.
struct PagePoint {
    int x = 0, y = 0, page = 0;
    friend bool operator==(const PagePoint&, const PagePoint&) = default;
};
std::string Describe(const std::optional<PagePoint>& p);

// A grid page of the given kind; extra markup lies under the grid.
std::string GridPage(int page, const std::string& extraBody = {});

e2e::ProxyServer& Server();
// Empty when the display, the server and the program all came up; otherwise what failed.
const std::string& SessionProblem();

// What the content panel's top-left corner showed once the home page had loaded at start.
std::optional<PagePoint> CornerAtStart();

// The screen position of a point of the main window's client area.
platform::POINT ClientToScreen(int x, int y);
// The grid point shown at a point of the main window's client area, if a grid page shows there.
std::optional<PagePoint> PageAt(int clientX, int clientY);
// Waits until the grid point at a client point is the one expected; answers the last one seen.
std::optional<PagePoint> WaitForPageAt(int clientX, int clientY, PagePoint expected, int ms = 20000);
// A real left click at a point of the client area; the mouse then leaves the window, so that no
// hint covers the page.
void ClickAt(int clientX, int clientY, int times = 1);
// What a shell command prints.
std::string Capture(const std::string& command);
// The number after "name=" in a shell tool's output (xdotool's --shell form), or -1.
int ShellValue(const std::string& text, const std::string& name);

} // namespace programtest
