// Turns one style description into a skin package: the options text, the master bitmap, texture
// tiles, glow pictures and title-button pictures.
#pragma once

#include "tools/skingen/Style.h"

#include <cstdint>
#include <vector>

namespace skingen {

// `index` is the skin's place in the catalogue; it picks between equivalent ways of storing an
// image so that the set exercises every form the reader knows.
std::vector<std::uint8_t> BuildSkinPackage(const Style& style, int index);

} // namespace skingen
