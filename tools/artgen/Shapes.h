// Signed distance functions of the art generator, in the unit square of a picture (0..1 both
// ways, y down): negative inside, positive outside. Distances rather than masks let one outline
// serve every size, with exact anti-aliasing at 16 pixels as at 120.
#pragma once

#include <array>
#include <functional>
#include <vector>

namespace artgen {

using Point = std::array<double, 2>;
using Sdf = std::function<double(double x, double y)>;

Sdf Circle(double cx, double cy, double r);
Sdf RoundRect(double x0, double y0, double x1, double y1, double radius);
Sdf Polygon(std::vector<Point> points);
// A stroke of the given width along a polyline, with round ends and joins.
Sdf Stroke(std::vector<Point> points, double width);
Sdf Ring(double cx, double cy, double r, double width);

Sdf Union(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
// The shape moved by (dx, dy), and turned by angle (radians) about (cx, cy).
Sdf Moved(Sdf a, double dx, double dy);
Sdf Turned(Sdf a, double cx, double cy, double angle);

// The points of a followed by those of b: one polyline out of two pieces.
std::vector<Point> Joined(std::vector<Point> a, const std::vector<Point>& b);
// Points of an elliptic arc from angle a0 to a1 (radians, 0 = right, growing clockwise on screen).
std::vector<Point> Arc(double cx, double cy, double rx, double ry, double a0, double a1, int steps = 16);
// A regular star with the given number of points, the first pointing up.
std::vector<Point> StarPoints(double cx, double cy, double outer, double inner, int points);

// The digits 1 to 5 as strokes in the box x0..x1, y0..y1.
std::vector<std::vector<Point>> DigitStrokes(int digit, double x0, double y0, double x1, double y1);
Sdf Digit(int digit, double x0, double y0, double x1, double y1, double width);

} // namespace artgen
