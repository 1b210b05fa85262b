// The file formats the generator writes: 24-bit Windows bitmaps and baseline JPEG.
#pragma once

#include "platform/core/Bitmap.h"

#include <cstdint>
#include <vector>

namespace skingen {

std::vector<std::uint8_t> EncodeBmp24(const platform::Bitmap& bitmap);
std::vector<std::uint8_t> EncodeJpeg(const platform::Bitmap& bitmap, int quality);

} // namespace skingen
