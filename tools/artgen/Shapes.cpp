#include "tools/artgen/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace artgen {

namespace {

double SegmentDistance(Point p, Point a, Point b)
{
    double px = p[0] - a[0], py = p[1] - a[1];
    double bx = b[0] - a[0], by = b[1] - a[1];
    double len2 = bx * bx + by * by;
    double t = len2 > 0 ? std::clamp((px * bx + py * by) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(px - bx * t, py - by * t);
}

std::vector<Point> Scaled(std::vector<Point> unit, double x0, double y0, double x1, double y1)
{
    for (auto& p : unit)
        p = {x0 + p[0] * (x1 - x0), y0 + p[1] * (y1 - y0)};
    return unit;
}

constexpr double Pi = std::numbers::pi;

} // namespace

Sdf Circle(double cx, double cy, double r)
{
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf RoundRect(double x0, double y0, double x1, double y1, double radius)
{
    double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](double x, double y) {
        double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Sdf Polygon(std::vector<Point> points)
{
    if (points.size() < 3)
        throw std::invalid_argument("a polygon needs three points");
    return [points = std::move(points)](double x, double y) {
        double best = 1e9;
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            best = std::min(best, SegmentDistance({x, y}, a, b));
            if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0])
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Sdf Stroke(std::vector<Point> points, double width)
{
    if (points.empty())
        throw std::invalid_argument("a stroke needs a point");
    return [points = std::move(points), half = width / 2](double x, double y) {
        double best = std::hypot(x - points[0][0], y - points[0][1]);
        for (std::size_t i = 1; i < points.size(); ++i)
            best = std::min(best, SegmentDistance({x, y}, points[i - 1], points[i]));
        return best - half;
    };
}

Sdf Ring(double cx, double cy, double r, double width)
{
    return [=](double x, double y) { return std::abs(std::hypot(x - cx, y - cy) - r) - width / 2; };
}

Sdf Union(Sdf a, Sdf b)
{
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b)
{
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b)
{
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Moved(Sdf a, double dx, double dy)
{
    return [=](double x, double y) { return a(x - dx, y - dy); };
}

Sdf Turned(Sdf a, double cx, double cy, double angle)
{
    double c = std::cos(-angle), s = std::sin(-angle);
    return [=](double x, double y) {
        double rx = x - cx, ry = y - cy;
        return a(cx + rx * c - ry * s, cy + rx * s + ry * c);
    };
}

std::vector<Point> Joined(std::vector<Point> a, const std::vector<Point>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Point> Arc(double cx, double cy, double rx, double ry, double a0, double a1, int steps)
{
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + (a1 - a0) * i / steps;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

std::vector<Point> StarPoints(double cx, double cy, double outer, double inner, int points)
{
    std::vector<Point> star;
    for (int i = 0; i < points * 2; ++i) {
        double r = i % 2 ? inner : outer;
        double a = -Pi / 2 + Pi * i / points;
        star.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return star;
}

// The digits are drawn in a unit box 0..1 and scaled to the box asked for; the curves are arcs of
// ellipses so that the figures keep their shape when the box is narrow.
std::vector<std::vector<Point>> DigitStrokes(int digit, double x0, double y0, double x1, double y1)
{
    std::vector<std::vector<Point>> unit;
    switch (digit) {
    case 1:
        unit = {{{0.25, 0.25}, {0.6, 0.0}, {0.6, 1.0}}};
        break;
    case 2:
        unit = {Joined(Arc(0.5, 0.28, 0.42, 0.28, Pi * 1.05, Pi * 2.25), {{0.0, 1.0}, {1.0, 1.0}})};
        break;
    case 3:
        unit = {Joined(Arc(0.48, 0.26, 0.4, 0.26, Pi * 1.1, Pi * 2.5), Arc(0.48, 0.73, 0.46, 0.27, Pi * 1.5, Pi * 2.9))};
        break;
    case 4:
        unit = {{{0.72, 1.0}, {0.72, 0.0}, {0.0, 0.7}, {1.0, 0.7}}};
        break;
    case 5:
        unit = {Joined({{0.9, 0.0}, {0.16, 0.0}, {0.1, 0.45}}, Arc(0.48, 0.67, 0.44, 0.33, Pi * 1.2, Pi * 2.8))};
        break;
    default:
        throw std::invalid_argument("no strokes for this digit");
    }
    for (auto& line : unit)
        line = Scaled(line, x0, y0, x1, y1);
    return unit;
}

Sdf Digit(int digit, double x0, double y0, double x1, double y1, double width)
{
    auto lines = DigitStrokes(digit, x0, y0, x1, y1);
    Sdf shape = Stroke(lines[0], width);
    for (std::size_t i = 1; i < lines.size(); ++i)
        shape = Union(shape, Stroke(lines[i], width));
    return shape;
}

} // namespace artgen
