// What lies under a child window of a taken-over window: the parent answers the background
// request (AC_GETBG) from its picture, as skinned parents answer their controls.
#pragma once

#include "skin/controls/TacBGInfo.h"

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace skin {

// The parent's answer for the child's place; an unskinned parent gives its button-face colour.
TacBGInfo ParentBGOf(platform::HWND child);
// The background under the child into dc (the child's client coordinates).
void PaintParentBG(platform::HWND child, platform::HDC dc);

} // namespace skin
