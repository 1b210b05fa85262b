// The device contexts handed out for windows (GetDC, GetWindowDC, BeginPaint): which window each
// draws into, until it is released. Internal to the window system.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Forward.h"
#include "platform/core/WinUser.h"

#include <unordered_map>

namespace platform::detail {

struct DcInfo {
    HWND hwnd = nullptr;
    HWND topLevel = nullptr;
};

struct DcTable {
    std::unordered_map<HDC, DcInfo> dcs;
    Bitmap scratch{1, 1}; // the target of a DC whose window has no picture to draw into
};

} // namespace platform::detail
