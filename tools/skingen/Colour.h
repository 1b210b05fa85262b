// Colours of the skin generator: sRGB in 0..255 as doubles, mixed and measured in one place.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace skingen {

struct Rgb {
    double r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Fuchsia{255, 0, 255};

inline std::uint8_t Channel(double v)
{
    return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}
inline Rgb Rounded(Rgb c) { return {double(Channel(c.r)), double(Channel(c.g)), double(Channel(c.b))}; }

// Windows colour value 0x00BBGGRR.
inline std::uint32_t ToColorRef(Rgb c)
{
    return std::uint32_t(Channel(c.r)) | std::uint32_t(Channel(c.g)) << 8 | std::uint32_t(Channel(c.b)) << 16;
}

inline double LinearChannel(double v)
{
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
inline double Luminance(Rgb c)
{
    return 0.2126 * LinearChannel(c.r) + 0.7152 * LinearChannel(c.g) + 0.0722 * LinearChannel(c.b);
}
inline double Contrast(Rgb a, Rgb b)
{
    double la = Luminance(a), lb = Luminance(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}
inline bool IsDark(Rgb c) { return Luminance(c) < 0.18; }
// The grey of equal luminance (inactive titles keep their text contrast exactly).
inline Rgb GreyOf(Rgb c)
{
    double y = Luminance(c);
    double v = y <= 0.0031308 ? y * 12.92 : 1.055 * std::pow(y, 1 / 2.4) - 0.055;
    return {v * 255, v * 255, v * 255};
}
// Black or white, whichever reads better on c.
inline Rgb InkOn(Rgb c) { return Contrast(White, c) >= Contrast(Black, c) ? White : Black; }

// "#RRGGBB"; throws std::invalid_argument otherwise.
Rgb ParseHex(std::string_view text);

} // namespace skingen
