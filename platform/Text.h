// Drawing text: TextOut and DrawText with the flags the program uses.
#pragma once

#include "platform/DeviceContext.h"
#include "platform/Types.h"

namespace platform {

constexpr UINT DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
               DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
               DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_HIDEPREFIX = 0x100000, DT_END_ELLIPSIS = 0x8000,
               DT_RTLREADING = 0x20000, DT_EDITCONTROL = 0x2000, DT_WORD_ELLIPSIS = 0x40000;

// Draws at (x, y), the top-left of the text cell, in the DC's font and text colour; with OPAQUE
// background mode the cell is filled with the background colour first.
bool TextOut(HDC dc, int x, int y, StringView text);

// Formats text in *r. Answers the height of the text drawn; with DT_CALCRECT draws nothing and
// sets r's right and bottom to the extent of the formatted text.
int DrawText(HDC dc, StringView text, RECT* r, UINT format);

} // namespace platform
