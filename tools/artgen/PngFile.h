// Pictures written as PNG files, for what reads pictures from files rather than from the program
// (the desktop's icon theme).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace artgen {

// pixels: straight-alpha blue, green, red, alpha, top row first, as Canvas::Finish gives them.
// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::filesystem::path& path, int size, const std::vector<std::uint8_t>& pixels);

} // namespace artgen
