// The art generator's canvas: shapes given by distance functions are laid one over another with
// exact anti-aliasing. Every outlined shape gets a dark edge of its own colour, and the finished
// picture a soft light rim outside its silhouette, so that it reads on light and dark skins alike.
#pragma once

#include "tools/artgen/Shapes.h"

#include <cstdint>
#include <vector>

namespace artgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t);
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};

// A vertical gradient between two rows of the unit square; a plain colour when both are equal.
struct Paint {
    Rgb top, bottom;
    double y0 = 0, y1 = 1;
};
Paint Solid(Rgb c);
// The colour lit from above: lighter at y0, darker at y1.
Paint Lit(Rgb c, double y0, double y1);

class Canvas {
public:
    explicit Canvas(int size);

    int Size() const { return size_; }
    // A shape with a dark edge inside its outline; it widens the silhouette that gets the light rim.
    void Shape(const Sdf& sdf, const Paint& paint);
    // Painted over what is there, without an edge: faces of screens, highlights, small marks.
    void Mark(const Sdf& sdf, const Paint& paint, double opacity = 1.0);

    // Straight-alpha pixels, 4 bytes each in the order blue, green, red, alpha, top row first.
    std::vector<std::uint8_t> Finish() const;

private:
    struct Pixel {
        double r = 0, g = 0, b = 0, a = 0; // premultiplied
    };
    void Lay(const Sdf& sdf, double grow, const Paint& paint, double opacity);
    double EdgeWidth() const;

    int size_;
    std::vector<Pixel> pixels_;
    std::vector<double> silhouette_; // distance in pixels to the nearest outlined shape
};

} // namespace artgen
