// The program's embedded pictures as toolkit bitmaps.
#pragma once

#include "toolkit/TBitmap.h"

#include <string_view>

namespace ui {

// Fills bitmap with the picture of that name, 32 bits with its alpha; leaves it empty when the
// program has no such picture.
void LoadArtBitmap(toolkit::TBitmap& bitmap, std::string_view name);

} // namespace ui
