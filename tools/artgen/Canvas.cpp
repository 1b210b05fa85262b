#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace artgen {

namespace {

// The light rim: its opacity at the silhouette and how far it fades out, in pixels. Faint enough
// to vanish on white, bright enough to lift a dark edge off a near-black panel.
constexpr double RimOpacity = 0.55;
constexpr double RimReach = 1.6;
constexpr Rgb RimColour{235, 240, 250};

std::uint8_t Byte(double v)
{
    return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Paint Solid(Rgb c)
{
    return {c, c, 0, 1};
}

Paint Lit(Rgb c, double y0, double y1)
{
    return {Mix(c, White, 0.35), Mix(c, Black, 0.18), y0, y1};
}

Canvas::Canvas(int size)
    : size_(size), pixels_(std::size_t(size) * std::size_t(size)), silhouette_(pixels_.size(), 1e9)
{
    if (size < 8 || size > 512)
        throw std::invalid_argument("picture size out of range");
}

// The edge is about one pixel at glyph sizes and grows slowly, so large pictures keep a drawn look.
double Canvas::EdgeWidth() const
{
    return 1.0 + (size_ - 16) / 40.0;
}

void Canvas::Shape(const Sdf& sdf, const Paint& paint)
{
    Rgb edge = Mix(paint.bottom, Black, 0.62);
    Lay(sdf, 0, Solid(edge), 1.0);
    Lay(sdf, -EdgeWidth(), paint, 1.0);
    for (int y = 0; y < size_; ++y)
        for (int x = 0; x < size_; ++x) {
            double d = sdf((x + 0.5) / size_, (y + 0.5) / size_) * size_;
            double& s = silhouette_[std::size_t(y) * size_ + x];
            s = std::min(s, d);
        }
}

void Canvas::Mark(const Sdf& sdf, const Paint& paint, double opacity)
{
    Lay(sdf, 0, paint, opacity);
}

// Coverage of a pixel is taken from the distance at its centre over a one-pixel ramp, which is the
// exact area for straight edges and close enough for curves of a few pixels' radius.
void Canvas::Lay(const Sdf& sdf, double grow, const Paint& paint, double opacity)
{
    for (int y = 0; y < size_; ++y) {
        double uy = (y + 0.5) / size_;
        double t = paint.y1 > paint.y0 ? std::clamp((uy - paint.y0) / (paint.y1 - paint.y0), 0.0, 1.0) : 0.0;
        Rgb c = Mix(paint.top, paint.bottom, t);
        for (int x = 0; x < size_; ++x) {
            double d = sdf((x + 0.5) / size_, uy) * size_ - grow;
            double cover = std::clamp(0.5 - d, 0.0, 1.0) * opacity;
            if (cover <= 0)
                continue;
            Pixel& p = pixels_[std::size_t(y) * size_ + x];
            p.r = c.r * cover + p.r * (1 - cover);
            p.g = c.g * cover + p.g * (1 - cover);
            p.b = c.b * cover + p.b * (1 - cover);
            p.a = cover + p.a * (1 - cover);
        }
    }
}

std::vector<std::uint8_t> Canvas::Finish() const
{
    std::vector<std::uint8_t> out(pixels_.size() * 4);
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        Pixel p = pixels_[i];
        double d = silhouette_[i];
        double rim = d > -0.5 ? RimOpacity * std::clamp(1.0 - (d + 0.5) / RimReach, 0.0, 1.0) : 0.0;
        // The rim lies under the picture.
        double a = p.a + rim * (1 - p.a);
        double r = p.r + RimColour.r * rim * (1 - p.a);
        double g = p.g + RimColour.g * rim * (1 - p.a);
        double b = p.b + RimColour.b * rim * (1 - p.a);
        if (a > 0) {
            out[i * 4 + 0] = Byte(b / a);
            out[i * 4 + 1] = Byte(g / a);
            out[i * 4 + 2] = Byte(r / a);
        }
        out[i * 4 + 3] = Byte(a * 255);
    }
    return out;
}

} // namespace artgen
