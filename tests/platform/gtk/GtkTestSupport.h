// Real windows on a private X server: each test program starts its own Xvfb, the GTK backend runs
// on it, real input comes from xdotool and what is on screen is read back from the X server.
#pragma once

#include "RealScreen.h"
#include "VirtualDisplay.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Hook.h"
#include "platform/window/Message.h"
#include "platform/window/NativeChild.h"
#include "platform/window/Paint.h"
#include "platform/window/WebView.h"
#include "platform/window/Window.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gtktest {

using namespace platform;

struct Entry {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Entry> gLog;
// Paints a window's client area (after the background is erased); may be empty.
inline std::function<void(HWND, HDC)> gPaint;
inline std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> gHandler;

inline LRESULT TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    gLog.push_back(Entry{hwnd, msg, wParam, lParam});
    if (gHandler)
        if (auto answer = gHandler(hwnd, msg, wParam, lParam))
            return *answer;
    if (msg == WM_PAINT && gPaint) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        gPaint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

// Window classes by background colour: "Red", "Green", "Blue", "Yellow", "Grey", and "Test"
// (white, double clicks).
inline void RegisterTestClasses()
{
    struct {
        const char16_t* name;
        COLORREF color;
    } classes[] = {{u"Test", RGB(255, 255, 255)}, {u"Red", RGB(255, 0, 0)},    {u"Green", RGB(0, 160, 0)},
                   {u"Blue", RGB(0, 0, 255)},      {u"Yellow", RGB(255, 255, 0)}, {u"Grey", RGB(128, 128, 128)}};
    for (const auto& c : classes) {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = TestProc;
        wc.hbrBackground = c.color;
        wc.lpszClassName = c.name;
        RegisterClass(wc);
    }
    InitNativeChildClasses();
}

inline HWND MakeWindow(const char16_t* cls, RECT r, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0,
                       HWND parent = nullptr)
{
    return CreateWindowEx(exStyle, cls, u"Окно", style, r.left, r.top, r.Width(), r.Height(), parent, nullptr,
                          nullptr, nullptr);
}

inline std::vector<UINT> Messages(HWND hwnd)
{
    std::vector<UINT> out;
    for (const Entry& e : gLog)
        if (e.hwnd == hwnd)
            out.push_back(e.msg);
    return out;
}

class GtkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualDisplay& display = VirtualDisplay::Instance();
        ASSERT_TRUE(display.Running()) << display.Error();
        std::unique_ptr<Backend> backend = CreateGtkBackend();
        ASSERT_TRUE(backend) << "GTK could not open " << display.Name();
        InitPlatform(PlatformOptions{.backend = std::move(backend)});
        gLog.clear();
        gPaint = nullptr;
        gHandler = nullptr;
        RegisterTestClasses();
        // The pointer starts on the bare root window, away from every test window.
        Xdotool("mousemove 1270 1010");
    }

    void TearDown() override
    {
        gPaint = nullptr;
        gHandler = nullptr;
        headless::Reset();
        gLog.clear();
    }
};

} // namespace gtktest
