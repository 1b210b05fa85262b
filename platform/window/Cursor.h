// Mouse cursors and the cursor position.
#pragma once

#include "platform/core/Types.h"
#include "platform/window/Window.h"
#include "platform/core/WinUser.h"

namespace platform {

constexpr CursorId IDC_ARROW = CursorId::Arrow, IDC_IBEAM = CursorId::IBeam, IDC_WAIT = CursorId::Wait,
                   IDC_CROSS = CursorId::Cross, IDC_SIZENWSE = CursorId::SizeNWSE,
                   IDC_SIZENESW = CursorId::SizeNESW, IDC_SIZEWE = CursorId::SizeWE,
                   IDC_SIZENS = CursorId::SizeNS, IDC_SIZEALL = CursorId::SizeAll, IDC_NO = CursorId::No,
                   IDC_HAND = CursorId::Hand, IDC_APPSTARTING = CursorId::AppStarting;

// instance is ignored: every cursor is a system cursor.
HCURSOR LoadCursor(HINSTANCE instance, CursorId id);
// Answers the previous cursor. Null hides the cursor.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
bool GetCursorPos(POINT* p);
// Moves the pointer; the windows get the mouse move as input.
bool SetCursorPos(int x, int y);

} // namespace platform
