// Waiting and looking on a real (virtual) X screen: pumping the program's messages and GTK's
// events against a deadline, reading pixels back from the X server, and real input via xdotool.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/window/Message.h"
#include "platform/backend/gtk/GtkBackend.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace gtktest {

using namespace platform;

// Dispatches messages (and GTK's events) for about ms milliseconds.
inline void Pump(int ms = 50)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        gtk::Sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
}

// Pumps until condition holds or ms have passed; answers the condition.
inline bool PumpUntil(const std::function<bool()>& condition, int ms = 15000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        Pump(20);
        if (condition())
            return true;
    }
    return condition();
}

inline COLORREF ScreenPixel(LONG x, LONG y)
{
    Bitmap b = gtk::GrabScreen(RECT{x, y, x + 1, y + 1});
    return b.IsEmpty() ? COLORREF(0xFFFFFFFF) : PixelToColor(b.Pixel(0, 0));
}

// Runs xdotool with the arguments on the test's display; answers its exit status.
inline int Xdotool(const std::string& arguments)
{
    std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

} // namespace gtktest
