#include "ui/main/ArtPicture.h"

#include "assets/art/ProgramArt.h"

#include <cstring>

namespace ui {

platform::Bitmap ArtPicture(std::string_view name)
{
    const assets::ArtImage art = assets::ProgramArt(name);
    if (art.width <= 0 || art.height <= 0 || !art.bgra)
        return {};
    platform::Bitmap bitmap(art.width, art.height);
    const std::size_t rowBytes = std::size_t(art.width) * 4;
    for (int y = 0; y < art.height; ++y)
        std::memcpy(bitmap.ScanLine(y), art.bgra + std::size_t(y) * rowBytes, rowBytes);
    return bitmap;
}

} // namespace ui
