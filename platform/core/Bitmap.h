// A 32-bit device-independent bitmap: rows top-down, each pixel blue, green, red, alpha in memory
// (0xAARRGGBB as a 32-bit value on this little-endian platform).
#pragma once

#include "platform/core/Types.h"

#include <cassert>
#include <cstdint>
#include <memory>

namespace platform {

using PixelBGRA = std::uint32_t;

constexpr PixelBGRA MakePixel(BYTE r, BYTE g, BYTE b, BYTE a = 255)
{
    return PixelBGRA(b) | (PixelBGRA(g) << 8) | (PixelBGRA(r) << 16) | (PixelBGRA(a) << 24);
}
constexpr BYTE PixelB(PixelBGRA p) { return BYTE(p); }
constexpr BYTE PixelG(PixelBGRA p) { return BYTE(p >> 8); }
constexpr BYTE PixelR(PixelBGRA p) { return BYTE(p >> 16); }
constexpr BYTE PixelA(PixelBGRA p) { return BYTE(p >> 24); }

// Colour value (0x00BBGGRR) to an opaque pixel and back.
constexpr PixelBGRA ColorToPixel(COLORREF c, BYTE a = 255) { return MakePixel(GetRValue(c), GetGValue(c), GetBValue(c), a); }
constexpr COLORREF PixelToColor(PixelBGRA p) { return RGB(PixelR(p), PixelG(p), PixelB(p)); }

class Bitmap {
public:
    // Largest side and largest pixel count accepted; larger requests are refused before allocating.
    static constexpr int MaxSide = 32768;
    static constexpr std::int64_t MaxPixels = 64 * 1024 * 1024;

    Bitmap() = default;
    // Throws std::length_error for a negative or absurd size. Pixels start as 0 (transparent black).
    Bitmap(int width, int height);

    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;

    static bool SizeAcceptable(std::int64_t width, std::int64_t height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Distance between rows, in pixels.
    int Stride() const { return width_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    RECT BoundsRect() const { return RECT{0, 0, width_, height_}; }

    PixelBGRA* ScanLine(int y)
    {
        assert(y >= 0 && y < height_);
        return pixels_.get() + std::size_t(y) * std::size_t(width_);
    }
    const PixelBGRA* ScanLine(int y) const
    {
        assert(y >= 0 && y < height_);
        return pixels_.get() + std::size_t(y) * std::size_t(width_);
    }
    PixelBGRA* Data() { return pixels_.get(); }
    const PixelBGRA* Data() const { return pixels_.get(); }

    PixelBGRA Pixel(int x, int y) const
    {
        assert(x >= 0 && x < width_);
        return ScanLine(y)[x];
    }
    void SetPixel(int x, int y, PixelBGRA p)
    {
        assert(x >= 0 && x < width_);
        ScanLine(y)[x] = p;
    }

    void Fill(PixelBGRA p);
    // Resizes, dropping the content (all pixels 0).
    void SetSize(int width, int height);

    friend bool operator==(const Bitmap& a, const Bitmap& b);

private:
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<PixelBGRA[]> pixels_;
};

} // namespace platform
