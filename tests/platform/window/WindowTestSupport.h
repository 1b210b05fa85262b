// A fresh virtual screen per test, a window class whose procedure logs every message, and a
// per-test handler that may answer messages before DefWindowProc.
#pragma once

#include "platform/window/Cursor.h"
#include "platform/frame/DefaultFrame.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Hook.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace windowtest {

using namespace platform;

struct Entry {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Entry> gLog;
inline std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> gHandler;

inline LRESULT TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    gLog.push_back(Entry{hwnd, msg, wParam, lParam});
    if (gHandler)
        if (auto answer = gHandler(hwnd, msg, wParam, lParam))
            return *answer;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

constexpr COLORREF kBackground = RGB(255, 255, 255);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        gLog.clear();
        gHandler = nullptr;
        WNDCLASS wc;
        wc.lpfnWndProc = TestProc;
        wc.hbrBackground = kBackground;
        wc.lpszClassName = u"Test";
        ASSERT_NE(RegisterClass(wc), 0);
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = u"TestDbl";
        ASSERT_NE(RegisterClass(wc), 0);
    }

    void TearDown() override
    {
        gHandler = nullptr;
        headless::Reset();
        gLog.clear();
    }

    static HWND Top(RECT r, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0, HWND owner = nullptr)
    {
        return CreateWindowEx(exStyle, u"Test", u"", style, r.left, r.top, r.Width(), r.Height(), owner, nullptr,
                              nullptr, nullptr);
    }

    static HWND Child(HWND parent, RECT r, DWORD style = WS_CHILD | WS_VISIBLE, int id = 0)
    {
        return CreateWindowEx(0, u"Test", u"", style | WS_CHILD, r.left, r.top, r.Width(), r.Height(), parent,
                              reinterpret_cast<HMENU>(std::uintptr_t(id)), nullptr, nullptr);
    }

    // The messages of one window (all, or only those listed), in order.
    static std::vector<UINT> MessagesOf(HWND hwnd, std::initializer_list<UINT> only = {})
    {
        std::vector<UINT> out;
        for (const Entry& e : gLog)
            if (e.hwnd == hwnd && (only.size() == 0 || std::find(only.begin(), only.end(), e.msg) != only.end()))
                out.push_back(e.msg);
        return out;
    }

    // The (window, message) pairs of the listed messages, in order.
    static std::vector<std::pair<HWND, UINT>> Sequence(std::initializer_list<UINT> only)
    {
        std::vector<std::pair<HWND, UINT>> out;
        for (const Entry& e : gLog)
            if (std::find(only.begin(), only.end(), e.msg) != only.end())
                out.emplace_back(e.hwnd, e.msg);
        return out;
    }

    static int Count(HWND hwnd, UINT msg)
    {
        return int(std::count_if(gLog.begin(), gLog.end(), [&](const Entry& e) { return e.hwnd == hwnd && e.msg == msg; }));
    }

    static const Entry* Last(HWND hwnd, UINT msg)
    {
        for (auto it = gLog.rbegin(); it != gLog.rend(); ++it)
            if (it->hwnd == hwnd && it->msg == msg)
                return &*it;
        return nullptr;
    }

    static PixelBGRA ScreenPixel(int x, int y) { return headless::Screenshot().Pixel(x, y) | 0xFF000000u; }
    static PixelBGRA Opaque(COLORREF c) { return ColorToPixel(c); }

    // Paints the whole client area of hwnd with a colour on every WM_PAINT.
    static std::optional<LRESULT> FillOnPaint(HWND hwnd, UINT msg, COLORREF color)
    {
        if (msg != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillSolidRect(dc, r, color);
        EndPaint(hwnd, &ps);
        return 0;
    }
};

} // namespace windowtest
