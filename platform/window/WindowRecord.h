// One window as the window system keeps it, and its class. Internal to the window system.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/Region.h"
#include "platform/window/Window.h"

#include <map>
#include <memory>
#include <vector>

namespace platform::detail {

struct WindowClass {
    WNDCLASS wc;
    ATOM atom = 0;
    int windows = 0;
};

struct Window {
    HWND hwnd = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    String text;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    Window* parent = nullptr; // the desktop for top-level windows
    HWND owner = nullptr;     // top-level windows only
    std::vector<Window*> children; // z-order, top first

    RECT rect{};   // in the parent's client coordinates (screen for top-level windows)
    RECT client{}; // relative to the window's top-left

    // Painting.
    Region update; // client coordinates
    bool erase = false;
    bool ncDirty = false;
    bool internalPaint = false;
    std::unique_ptr<Region> shape; // window coordinates

    // Layered windows.
    bool layeredAttributes = false; // SetLayeredWindowAttributes was called
    BYTE layeredAlpha = 255;
    COLORREF layeredKey = 0;
    DWORD layeredFlags = 0;
    bool layeredPicture = false; // UpdateLayeredWindow was called
    Bitmap picture;              // its picture, premultiplied
    BYTE pictureAlpha = 255;
    DWORD pictureFlags = 0;
    COLORREF pictureKey = 0;

    // Top-level windows.
    Bitmap backBuffer;
    RECT damage{};     // window coordinates, not yet presented
    RECT normalRect{}; // where the window returns from minimised or maximised

    std::map<String, HANDLE> props;

    // The default frame's state.
    bool frameActive = false;
    LRESULT hotButton = HTNOWHERE;
    LRESULT pressedButton = HTNOWHERE;

    unsigned paints = 0; // BeginPaint calls, to tell whether a WM_PAINT handler painted at all

    bool destroying = false;
    bool dead = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    LONG Width() const { return rect.right - rect.left; }
    LONG Height() const { return rect.bottom - rect.top; }
};

} // namespace platform::detail
