// The program's own pictures: the main window's icon, the button glyphs and the pictures of the
// smaller windows, drawn by tools/artgen at build time and embedded in the program.
#pragma once

#include <cstdint>
#include <string_view>

namespace assets {

// Straight (not premultiplied) alpha, 4 bytes per pixel in the order blue, green, red, alpha, top
// row first, rows without padding. The pixels live as long as the program.
struct ArtImage {
    int width = 0;
    int height = 0;
    const std::uint8_t* bgra = nullptr;
};

// The picture of a component by the component's name ("Form1Icon", "sBitBtn1", "sSpeedButton12",
// "TalesClose24", "AboutPicture", ...); an empty image for a name without one.
ArtImage ProgramArt(std::string_view name);

} // namespace assets
