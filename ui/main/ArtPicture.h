// The program's embedded pictures (window icon, button glyphs) as bitmaps of the platform.
#pragma once

#include "platform/core/Bitmap.h"

#include <string_view>

namespace ui {

// The picture of a component by the component's name, 32-bit with straight alpha; an empty
// bitmap for a name without one, so a missing picture leaves a button without its glyph.
platform::Bitmap ArtPicture(std::string_view name);

} // namespace ui
