// The table the art generator writes: every picture with its name, in the generator's order.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace assets {

struct EmbeddedPicture {
    std::string_view name;
    int width = 0;
    int height = 0;
    const std::uint8_t* bgra = nullptr;
};

std::span<const EmbeddedPicture> EmbeddedArt();

} // namespace assets
