// Drawing text: TextOut and DrawText with the flags the program uses.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/core/Types.h"

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
//
// - Lines end at "\r\n", "\n" and "\r" unless DT_SINGLELINE; a break at the very end opens no
//   line. DT_VCENTER and DT_BOTTOM place a single line only; with them the answer counts from
//   r's top to the bottom of the text.
// - DT_WORDBREAK breaks at spaces and tabs, dropping the spaces at the break; a word wider than
//   the line runs over it unless DT_EDITCONTROL, which breaks it between characters.
// - DT_END_ELLIPSIS cuts every line that is wider than r at a character, DT_WORD_ELLIPSIS after
//   its last whole word that fits, and appends "..."; narrower lines are left alone.
// - Unless DT_NOPREFIX, "&x" underlines x (every marked character) and "&&" is one "&";
//   DT_HIDEPREFIX removes the marks without underlining.
// - DT_EXPANDTABS sets tab stops every 8 average character widths; otherwise a tab has no width.
// - DT_RTLREADING orders each line from the right: left-to-right words keep their order among
//   themselves while punctuation at their ends goes to the paragraph's side, and right-to-left
//   letters read from the right in any line. Alignment stays what the flags say (callers add
//   DT_RIGHT for right-to-left controls); mirrored brackets and shaping are not done.
// - With the background mode OPAQUE each line's cell is filled with the background colour.
// - Drawing is clipped to r unless DT_NOCLIP, and always to the DC's clip.
int DrawText(HDC dc, StringView text, RECT* r, UINT format);

} // namespace platform
