#include "platform/core/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace platform {

bool Bitmap::SizeAcceptable(std::int64_t width, std::int64_t height)
{
    return width >= 0 && height >= 0 && width <= MaxSide && height <= MaxSide && width * height <= MaxPixels;
}

Bitmap::Bitmap(int width, int height)
{
    SetSize(width, height);
}

Bitmap::Bitmap(const Bitmap& other)
{
    *this = other;
}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this == &other)
        return *this;
    SetSize(other.width_, other.height_);
    if (!IsEmpty())
        std::memcpy(pixels_.get(), other.pixels_.get(), std::size_t(width_) * std::size_t(height_) * sizeof(PixelBGRA));
    return *this;
}

void Bitmap::SetSize(int width, int height)
{
    if (!SizeAcceptable(width, height))
        throw std::length_error("bitmap size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
    std::size_t count = std::size_t(width) * std::size_t(height);
    pixels_ = count ? std::make_unique<PixelBGRA[]>(count) : nullptr;
    width_ = width;
    height_ = height;
}

void Bitmap::Fill(PixelBGRA p)
{
    if (!IsEmpty())
        std::fill_n(pixels_.get(), std::size_t(width_) * std::size_t(height_), p);
}

bool operator==(const Bitmap& a, const Bitmap& b)
{
    if (a.width_ != b.width_ || a.height_ != b.height_)
        return false;
    return a.IsEmpty() || std::memcmp(a.pixels_.get(), b.pixels_.get(), std::size_t(a.width_) * std::size_t(a.height_) * sizeof(PixelBGRA)) == 0;
}

} // namespace platform
