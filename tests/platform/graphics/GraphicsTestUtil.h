// Small helpers for pixel-exact checks on tiny bitmaps.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/Region.h"

#include <functional>
#include <string>

namespace platform::test {

constexpr PixelBGRA Background = MakePixel(1, 2, 3, 4);

// A bitmap filled with Background, so untouched pixels are easy to tell apart.
inline Bitmap MakeCanvas(int width = 10, int height = 10)
{
    Bitmap b(width, height);
    b.Fill(Background);
    return b;
}

// The pixels that differ from what `expected` answers, as "x,y" lines (empty when none).
inline std::string Mismatches(const Bitmap& b, const std::function<PixelBGRA(int x, int y)>& expected)
{
    std::string out;
    int shown = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != expected(x, y) && shown++ < 20) {
                char line[96];
                std::snprintf(line, sizeof line, "(%d,%d) is %08X, expected %08X\n", x, y, b.Pixel(x, y), expected(x, y));
                out += line;
            }
    return out;
}

// Pixel area of a region.
inline long long Area(const Region& r)
{
    long long a = 0;
    for (const RECT& q : r.Rects())
        a += (long long)(q.right - q.left) * (q.bottom - q.top);
    return a;
}

} // namespace platform::test
