// The control under a screen point: the window there, or the nearest of its parents that belongs
// to one of the program's windowed controls (a native child window belongs to none itself).
#pragma once

#include "toolkit/Types.h"

namespace toolkit {

class TWinControl;

TWinControl* FindControlAt(const TPoint& screenPoint);

} // namespace toolkit
