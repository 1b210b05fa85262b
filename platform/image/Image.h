// Reading and writing pictures: Windows bitmaps by our own code, PNG through libpng, JPEG through
// libjpeg-turbo. Everything decodes to a 32-bit bitmap.
#pragma once

#include "platform/core/Bitmap.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// A refused picture; what() says why.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ImageFormat { Unknown, Bmp, Png, Jpeg };

struct DecodedImage {
    Bitmap bitmap;
    ImageFormat format = ImageFormat::Unknown;
    int bitsPerPixel = 0; // as stored in the file (for PNG: channels x bit depth)
    bool hasAlpha = false; // the file carried an alpha channel or transparency
};

ImageFormat SniffImageFormat(std::span<const std::uint8_t> data);

// Each throws ImageError on a picture it refuses.
DecodedImage DecodeBmp(std::span<const std::uint8_t> data);
DecodedImage DecodePng(std::span<const std::uint8_t> data);
DecodedImage DecodeJpeg(std::span<const std::uint8_t> data);
DecodedImage DecodeImage(std::span<const std::uint8_t> data); // by the file's signature
DecodedImage LoadImageFile(const std::string& path);

// A 32-bit top-down BMP (BITMAPV5 header with alpha), and a PNG with alpha.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);
// Throw ImageError when the file cannot be written.
void SaveBmp(const Bitmap& bitmap, const std::string& path);
void SavePng(const Bitmap& bitmap, const std::string& path);

} // namespace platform
