// The program's seven windows on a private X server, built as the program builds them, with the
// test engine library for the engine and a Config.ini in a folder of the session's own that does
// not exist at start (a first start: the default skin). The user is played with real input
// through xdotool, and what the windows look like is read back from the X server.
#pragma once

#include "../../platform/gtk/RealScreen.h"
#include "../../platform/gtk/VirtualDisplay.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace toolkit {
class TControl;
}

namespace settingse2e {

using gtktest::Pump;
using gtktest::PumpUntil;
using gtktest::Xdotool;

// Empty when the display, the engine and the windows all came up; otherwise what failed.
const std::string& SessionProblem();
// The session's Config.ini as it is on disk now (empty when there is none).
std::string ConfigText();

// The screen point of a point of a control's client area (default: its centre).
platform::POINT ScreenPointOf(toolkit::TControl* control);
platform::POINT ScreenPointOf(toolkit::TControl* control, platform::POINT local);

// The real mouse: moved, clicked once (button 1 left, 4 wheel up, 5 wheel down), pressed, released.
void MoveMouse(platform::POINT at);
void ClickAt(platform::POINT at, int button = 1);
void MouseDown();
void MouseUp();
// Real keys ("ctrl+a", "Return") and typed text, to whichever window has the keyboard.
void Key(const std::string& keys);
void Type(const std::string& text);

// Clicks the OK button of each message window that shows until stop is called, keeping their
// texts.
class MessageAnswerer {
public:
    MessageAnswerer();
    ~MessageAnswerer();
    MessageAnswerer(const MessageAnswerer&) = delete;
    MessageAnswerer& operator=(const MessageAnswerer&) = delete;
    const std::vector<std::string>& Texts() const;
};

// The screen's pixel, as the X server shows it.
platform::COLORREF ScreenColor(platform::POINT at);
// Writes what the screen shows to a PNG beside the tests (for a person to look at).
void SaveScreen(const std::string& fileName);

} // namespace settingse2e
