// What every window of the program shares: a single fixed border, the button face colour and the
// Tahoma 11-pixel font, with its own client size, title-bar buttons and position.
#pragma once

#include "toolkit/TFont.h"
#include "toolkit/TForm.h"

namespace ui {

void SetFixedWindowLook(toolkit::TForm* form, int clientWidth, int clientHeight, toolkit::TBorderIcons icons,
                        toolkit::TPosition position);

} // namespace ui

namespace ui {

// A control's own Tahoma font of the given pixel height, colour and style.
void SetTahoma(toolkit::TControl* control, int pixels, toolkit::TColor color, toolkit::TFontStyles style = {});

} // namespace ui
