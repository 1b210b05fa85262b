#include "ui/windows/ArtBitmap.h"

#include "assets/art/ProgramArt.h"

#include <cstring>

namespace ui {

void LoadArtBitmap(toolkit::TBitmap& bitmap, std::string_view name)
{
    assets::ArtImage art = assets::ProgramArt(name);
    platform::Bitmap pixels(art.width, art.height);
    for (int y = 0; y < art.height; ++y)
        std::memcpy(pixels.ScanLine(y), art.bgra + std::size_t(y) * art.width * 4, std::size_t(art.width) * 4);
    bitmap.SetBitmap(std::move(pixels), true);
}

} // namespace ui
