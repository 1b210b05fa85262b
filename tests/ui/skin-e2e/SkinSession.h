// The program's windows on a private X server, one session for the whole test program: built as
// the program builds them (the default skin in force), with the test engine library for the
// engine and no compositing manager on the display. The real mouse is xdotool's.
#pragma once

#include "../../platform/gtk/RealScreen.h"

#include "platform/core/Types.h"

#include <gtest/gtest.h>

#include <string>

namespace skine2e {

using gtktest::Pump;
using gtktest::PumpUntil;
using gtktest::Xdotool;

// Empty when the display, the engine and the windows came up; otherwise what failed.
const std::string& SessionProblem();

// A point where no window of the program lies.
inline constexpr platform::POINT Away{1270, 1010};

inline void MoveMouse(platform::POINT p) { Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y)); }

// Every test starts with the mouse away from the windows and their hover states settled.
class OnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SessionProblem(), "");
        MoveMouse(Away);
        Pump(400);
    }
};

} // namespace skine2e
