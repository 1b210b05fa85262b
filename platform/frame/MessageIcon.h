// The standard message icons (stop, question, warning, information): 32 x 32 pictures of our own,
// drawn once with anti-aliased shapes and kept for the whole process.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/core/WinUser.h"

namespace platform {

enum class MessageIcon { None, Stop, Question, Warning, Information };

constexpr int kMessageIconSize = 32;

// The icon that an MB_ICON* bit set asks for.
MessageIcon MessageIconFromType(UINT mbType);
// Straight (not premultiplied) alpha, as every HICON; null for MessageIcon::None.
HICON GetMessageIcon(MessageIcon icon);
// Blends an icon (straight alpha) onto dc with its top-left at (x, y); nothing for null.
void DrawIcon(HDC dc, int x, int y, HICON icon);
// Blends the icon onto dc with its top-left at (x, y).
void DrawMessageIcon(HDC dc, int x, int y, MessageIcon icon);

} // namespace platform
