// The real engine library on a private X server: one session per test program starts Xvfb, the
// test's proxy server, the platform's real windows and the engine (loaded from the build folder
// with --proxy-server pointing at the server), and shuts the engine down at the end. Tests build a
// form with a browser control on it and wait by pumping the message loop against a deadline.
#pragma once

#include "../../support/ProxyServer.h"

#include "../../platform/gtk/RealScreen.h"
#include "../../platform/gtk/VirtualDisplay.h"

#include "engine/TChromium.h"
#include "platform/window/Window.h"
#include "toolkit/TForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

using platform::COLORREF;
using platform::POINT;
using platform::RECT;
using platform::RGB;

// Pumping against a deadline, screen pixels and real input, as the platform's own e2e tests do.
using gtktest::Pump;
using gtktest::PumpUntil;
using gtktest::ScreenPixel;
using gtktest::Xdotool;

ProxyServer& Server();
// Empty when the display, the server and the engine all came up; otherwise what failed.
const std::string& SessionProblem();
std::thread::id UiThread();

std::string Narrow(const std::u16string& s);

// The main window's block list and pop-up rule, decided by the program's own filter.
bool HoldsBlockedToken(const std::string& url);
bool PopupAllowed(const std::string& targetUrl);

// What the resource handler was asked, from whatever thread asked it.
class RequestRecord {
public:
    void Add(const std::string& url);
    bool Asked(const std::string& url) const;
    std::vector<std::string> Urls() const;
    std::set<std::thread::id> Threads() const;
    std::string Text() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> urls_;
    std::set<std::thread::id> threads_;
};

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A browser control on panel (or the form), with the filter's resource handler attached and
    // its main-frame loads counted.
    engine::TChromium* MakeChromium(toolkit::TWinControl* parent, int left, int top, int width, int height);
    // Loads url into c and waits for the main frame's load end; false on timeout.
    bool LoadAndWait(engine::TChromium* c, const std::string& url, int ms = 20000);
    // The screen rectangle of the control's browser window.
    platform::RECT ViewOnScreen(engine::TChromium* c) const;

    toolkit::TForm* form_ = nullptr;
    RequestRecord requests_;
    int loadEnds_ = 0;
    std::string address_;
};

} // namespace e2e
