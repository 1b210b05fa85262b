// What every window of the program shares: a single fixed border, the button face colour and the
// Tahoma 11-pixel font, with its own client size, title-bar buttons and position.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

void SetFixedWindowLook(toolkit::TForm* form, int clientWidth, int clientHeight, toolkit::TBorderIcons icons,
                        toolkit::TPosition position);

} // namespace ui
