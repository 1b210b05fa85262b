// Helpers of the image tests: files, small generated pictures, and a probe of the largest
// allocation made through operator new.
#pragma once

#include "platform/image/Image.h"
#include "tests/support/LargestAllocation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform::test {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);
std::string SharedPath(const std::string& relative);
// A fresh, empty folder for one test.
std::string TempFolder(const std::string& name);

// Equal pictures: same size, same alpha everywhere, same colour wherever alpha is not 0.
::testing::AssertionResult SamePicture(const Bitmap& actual, const Bitmap& expected, int tolerance = 0);

struct PngSpec {
    int width = 0;
    int height = 0;
    int colorType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<Bytes> rows; // packed, as stored
    std::vector<std::uint8_t> paletteRgb; // three bytes per entry
    std::vector<std::uint8_t> paletteAlpha; // tRNS of a palette picture
    bool colorKey = false; // tRNS of a grey or RGB picture
    std::uint16_t keyRed = 0, keyGreen = 0, keyBlue = 0, keyGray = 0;
};
Bytes MakePng(const PngSpec& layout);

// A PNG made of raw chunks, for headers that libpng would refuse to write.
Bytes MakeRawPng(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, const Bytes& idatPayload);

enum class JpegKind { Rgb, Gray, CmykAdobe, CmykPlain };
// Pixels are given as the encoder's input samples, components per pixel by kind.
Bytes MakeJpeg(int width, int height, JpegKind kind, bool progressive, const Bytes& samples);

struct BmpSpec {
    DWORD headerSize = 40;
    LONG width = 1;
    LONG height = 1;
    WORD bitCount = 24;
    DWORD compression = 0;
    DWORD colorsUsed = 0;
    Bytes masks; // written after a 40-byte header, or into a V2+ header
    Bytes palette;
    Bytes pixels;
};
Bytes MakeBmp(const BmpSpec& layout);

using testsupport::LargestAllocation;
using testsupport::ResetLargestAllocation;

} // namespace platform::test
