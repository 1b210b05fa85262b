#include "tools/skingen/Drawing.h"

#include <cmath>
#include <stdexcept>

namespace skingen {

using platform::Bitmap;

void Put(Bitmap& bitmap, int x, int y, Rgb c, double alpha)
{
    if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height())
        return;
    if (alpha < 1.0)
        c = Mix(Get(bitmap, x, y), c, std::clamp(alpha, 0.0, 1.0));
    bitmap.SetPixel(x, y, platform::MakePixel(Channel(c.r), Channel(c.g), Channel(c.b)));
}

Rgb Get(const Bitmap& bitmap, int x, int y)
{
    platform::PixelBGRA p = bitmap.Pixel(x, y);
    return {double(platform::PixelR(p)), double(platform::PixelG(p)), double(platform::PixelB(p))};
}

void FillBox(Bitmap& bitmap, Box box, Rgb c)
{
    for (int y = box.y; y < box.y + box.h; ++y)
        for (int x = box.x; x < box.x + box.w; ++x)
            Put(bitmap, x, y, c);
}

namespace {

double RoundedBoxDistance(double px, double py, double w, double h, const std::array<int, 4>& radius)
{
    double cx = w / 2, cy = h / 2;
    int r = px < cx ? (py < cy ? radius[0] : radius[3]) : (py < cy ? radius[1] : radius[2]);
    double qx = std::abs(px - cx) - (cx - r);
    double qy = std::abs(py - cy) - (cy - r);
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - r;
}

double Smooth(double edge0, double edge1, double v)
{
    double t = std::clamp((v - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

} // namespace

void DrawFrame(Bitmap& bitmap, Box box, const Frame& f)
{
    double h = box.h;
    std::array<int, 4> radius = f.radius;
    if (f.openBottom) {
        h = box.h + 2.0 * std::max({radius[0], radius[1], 2}) + 4;
        radius[2] = radius[3] = 0;
    }
    const double bw = f.borderPx;
    for (int y = 0; y < box.h; ++y) {
        for (int x = 0; x < box.w; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double d = RoundedBoxDistance(px, py, box.w, h, radius);
            // Corners are all or nothing; a pixel mostly outside the arc is cut, so that even a
            // 1-pixel radius takes its corner pixel away.
            if (d >= -0.35) {
                Put(bitmap, box.x + x, box.y + y, Fuchsia);
                continue;
            }
            Rgb c = f.transparentFill ? Fuchsia : f.fill.At(f.horizontalFill ? px / box.w : py / box.h);
            if (f.bevel != 0 && d >= -bw - 2 && d < -bw) {
                double toTop = py, toLeft = px, toBottom = h - py, toRight = box.w - px;
                bool lightSide = std::min(toTop, toLeft) <= std::min(toBottom, toRight);
                if (f.bevel < 0)
                    lightSide = !lightSide;
                Rgb under = f.transparentFill ? f.fill.Middle() : c;
                c = lightSide ? Mix(under, White, 0.5) : Mix(under, Black, 0.45);
            } else if (f.highlight && d >= -bw - 1 && d < -bw && py < h / 2) {
                c = Mix(f.transparentFill ? f.fill.Middle() : c, White, 0.35);
            } else if (f.doubleLine && d >= -bw - 2 && d < -bw - 1) {
                c = f.secondLine;
            }
            double onBorder = Smooth(-bw - 0.5, -bw + 0.5, d);
            if (f.doubleLine && d >= -bw - 1 && d < -bw)
                onBorder = 0; // the gap between the two lines
            if (c == Fuchsia && onBorder > 0)
                c = f.fill.Middle();
            if (c == Fuchsia && onBorder <= 0) {
                Put(bitmap, box.x + x, box.y + y, Fuchsia);
                continue;
            }
            Put(bitmap, box.x + x, box.y + y, Mix(c, f.border, onBorder));
        }
    }
}

namespace {

using Point = std::array<double, 2>;

double SegmentDistance(Point p, Point a, Point b)
{
    double vx = b[0] - a[0], vy = b[1] - a[1];
    double wx = p[0] - a[0], wy = p[1] - a[1];
    double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? std::clamp((wx * vx + wy * vy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(wx - t * vx, wy - t * vy);
}

bool InsidePolygon(Point p, const std::vector<Point>& poly)
{
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i][1] > p[1]) != (poly[j][1] > p[1]) &&
            p[0] < (poly[j][0] - poly[i][0]) * (p[1] - poly[i][1]) / (poly[j][1] - poly[i][1]) + poly[i][0])
            inside = !inside;
    }
    return inside;
}

} // namespace

Strokes TitleGlyphStrokes(TitleGlyph glyph)
{
    Strokes s;
    switch (glyph) {
    case TitleGlyph::Close:
        s.lines = {{{0.05, 0.05}, {0.95, 0.95}}, {{0.95, 0.05}, {0.05, 0.95}}};
        break;
    case TitleGlyph::Max:
        s.lines = {{{0.05, 0.08}, {0.95, 0.08}, {0.95, 0.95}, {0.05, 0.95}, {0.05, 0.08}}, {{0.05, 0.16}, {0.95, 0.16}}};
        break;
    case TitleGlyph::Min:
        s.lines = {{{0.05, 0.9}, {0.95, 0.9}}};
        break;
    case TitleGlyph::Norm:
        s.lines = {{{0.05, 0.32}, {0.7, 0.32}, {0.7, 0.95}, {0.05, 0.95}, {0.05, 0.32}},
                   {{0.3, 0.32}, {0.3, 0.05}, {0.95, 0.05}, {0.95, 0.68}, {0.7, 0.68}}};
        break;
    case TitleGlyph::Help:
        s.lines = {{{0.22, 0.28}, {0.32, 0.08}, {0.5, 0.02}, {0.68, 0.08}, {0.76, 0.25}, {0.7, 0.42}, {0.5, 0.55},
                    {0.5, 0.7}},
                   {{0.5, 0.9}, {0.5, 0.95}}};
        break;
    }
    return s;
}

Strokes TickStrokes()
{
    Strokes s;
    s.lines = {{{0.08, 0.52}, {0.38, 0.82}, {0.92, 0.18}}};
    return s;
}

Strokes TriangleStrokes(int direction)
{
    Strokes s;
    switch (direction) {
    case 0: s.filled = {{{0.25, 0.5}, {0.75, 0.05}, {0.75, 0.95}}}; break;
    case 1: s.filled = {{{0.5, 0.25}, {0.95, 0.75}, {0.05, 0.75}}}; break;
    case 2: s.filled = {{{0.75, 0.5}, {0.25, 0.95}, {0.25, 0.05}}}; break;
    default: s.filled = {{{0.5, 0.75}, {0.05, 0.25}, {0.95, 0.25}}}; break;
    }
    return s;
}

Strokes ChevronStrokes()
{
    Strokes s;
    s.lines = {{{0.05, 0.2}, {0.5, 0.8}, {0.95, 0.2}}};
    return s;
}

double StrokeCoverage(const Strokes& strokes, double px, double py, Box inner, double width)
{
    double coverage = 0;
    const int samples = 4;
    for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
            Point p{px - 0.5 + (sx + 0.5) / samples, py - 0.5 + (sy + 0.5) / samples};
            bool hit = false;
            for (const auto& line : strokes.lines) {
                for (std::size_t i = 0; i + 1 < line.size() && !hit; ++i) {
                    Point a{inner.x + line[i][0] * inner.w, inner.y + line[i][1] * inner.h};
                    Point b{inner.x + line[i + 1][0] * inner.w, inner.y + line[i + 1][1] * inner.h};
                    hit = SegmentDistance(p, a, b) <= width / 2;
                }
            }
            for (const auto& polygon : strokes.filled) {
                if (hit)
                    break;
                std::vector<Point> scaled;
                for (const Point& q : polygon)
                    scaled.push_back({inner.x + q[0] * inner.w, inner.y + q[1] * inner.h});
                hit = InsidePolygon(p, scaled);
            }
            coverage += hit ? 1 : 0;
        }
    }
    return coverage / (samples * samples);
}

void DrawStrokes(Bitmap& bitmap, Box inner, const Strokes& strokes, Rgb color, double width, bool crisp)
{
    int margin = int(std::ceil(width)) + 1;
    for (int y = inner.y - margin; y < inner.y + inner.h + margin; ++y) {
        for (int x = inner.x - margin; x < inner.x + inner.w + margin; ++x) {
            double c = StrokeCoverage(strokes, x + 0.5, y + 0.5, inner, width);
            if (crisp)
                c = c >= 0.5 ? 1 : 0;
            if (c > 0)
                Put(bitmap, x, y, color, c);
        }
    }
}

// Textures: periodic value noise and cell patterns, so that every tile repeats seamlessly.
namespace {

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}
double Random(int x, int y, std::uint32_t seed) { return double(Hash(std::uint32_t(x), std::uint32_t(y), seed) & 0xFFFFFF) / double(0x1000000); }

double ValueNoise(double x, double y, int period, std::uint32_t seed)
{
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = x - x0, fy = y - y0;
    auto at = [&](int ix, int iy) {
        return Random(((ix % period) + period) % period, ((iy % period) + period) % period, seed);
    };
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

// Fractal noise in -1..1 over a tile of `size` pixels with `cells` lattice cells at the coarsest octave.
double Fbm(double x, double y, int size, int cells, int octaves, std::uint32_t seed)
{
    double sum = 0, amplitude = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        int period = cells << o;
        sum += amplitude * ValueNoise(x * period / size, y * period / size, period, seed + o);
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total * 2 - 1;
}

// Distance to the nearest and second-nearest feature point of a periodic cell grid.
std::array<double, 2> Cells(double x, double y, int size, int cells, std::uint32_t seed)
{
    double cell = double(size) / cells;
    int cx = int(x / cell), cy = int(y / cell);
    double best = 1e9, second = 1e9;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            int ix = cx + dx, iy = cy + dy;
            int wx = ((ix % cells) + cells) % cells, wy = ((iy % cells) + cells) % cells;
            double fx = (ix + Random(wx, wy, seed)) * cell, fy = (iy + Random(wx, wy, seed + 7)) * cell;
            double d = std::hypot(x - fx, y - fy) / cell;
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    }
    return {best, second};
}

struct TextureKind {
    std::string_view name;
    double amplitude;
    int width, height;
};

constexpr TextureKind Kinds[] = {
    {"noise", .10, 64, 64},    {"brushed", .14, 64, 64},  {"wood", .30, 128, 128},   {"paper", .08, 64, 64},
    {"carbon", .20, 64, 64},   {"diagonal", .20, 64, 64}, {"hlines", .40, 64, 64},   {"dots", .30, 64, 64},
    {"rust", .30, 64, 64},     {"tiles", .20, 64, 64},    {"pearl", .14, 64, 64},    {"staff", .40, 64, 64},
    {"snow", .30, 64, 64},     {"stone", .24, 64, 64},    {"marble", .18, 128, 128}, {"sand", .20, 64, 64},
    {"ice", .20, 64, 64},      {"leather", .24, 64, 64},  {"rain", .60, 64, 128},    {"clouds", .16, 64, 64},
    {"weave", .20, 64, 64},    {"lattice", .30, 64, 64},  {"velvet", .22, 64, 64},   {"camo", .30, 64, 64},
    {"caustics", .24, 64, 64}, {"diamond", .20, 64, 64},  {"rosette", .30, 64, 64},
};

const TextureKind& FindKind(std::string_view name)
{
    for (const TextureKind& kind : Kinds)
        if (kind.name == name)
            return kind;
    throw std::invalid_argument("unknown texture '" + std::string(name) + "'");
}

// The texture's value at a pixel, -1 (toward black) to 1 (toward white).
double Value(std::string_view kind, int x, int y, int w, int h, std::uint32_t seed)
{
    double fx = x + 0.5, fy = y + 0.5;
    if (kind == "noise")
        return Random(x, y, seed) * 2 - 1;
    if (kind == "brushed")
        return 0.75 * Fbm(fx / 16, fy, w / 16, 1, 1, seed) * 1.4 + 0.25 * (Random(x, y, seed + 3) * 2 - 1);
    if (kind == "wood") {
        double grain = std::sin((fy / h * 9 + 1.2 * Fbm(fx, fy, w, 2, 3, seed)) * 2 * M_PI);
        auto knot = Cells(fx, fy, w, 2, seed + 11);
        double k = knot[0] < 0.18 ? -(0.18 - knot[0]) / 0.18 : 0;
        return std::clamp(0.8 * grain + 0.2 * (Random(x, y, seed) * 2 - 1) + 2 * k, -1.0, 1.0);
    }
    if (kind == "paper")
        return 0.6 * Fbm(fx, fy, w, 8, 3, seed) + 0.4 * (Random(x, y, seed) * 2 - 1);
    if (kind == "carbon") {
        bool weave = ((x / 4) + (y / 4)) % 2 == 0;
        double shade = weave ? ((x % 4) / 3.0) : ((y % 4) / 3.0);
        return weave ? shade * 2 - 1 : 0.6 - shade;
    }
    if (kind == "diagonal")
        return ((x + y) % 16) < 8 ? 1 : -1;
    if (kind == "hlines")
        return y % 2 == 0 ? -1 : 0.3;
    if (kind == "dots") {
        auto c = Cells(fx, fy, w, 4, seed);
        return c[0] < 0.12 ? -1 : 0;
    }
    if (kind == "rust") {
        double v = Fbm(fx, fy, w, 4, 4, seed);
        return v > 0.1 ? -std::min(1.0, (v - 0.1) * 4) : 0.3 * v;
    }
    if (kind == "tiles") {
        int row = y / 16, offset = row % 2 ? 16 : 0;
        bool grout = y % 16 == 0 || (x + offset) % 32 == 0;
        return grout ? -1 : 0.5 * Fbm(fx, fy, w, 4, 2, seed) + 0.3;
    }
    if (kind == "pearl")
        return std::sin((Fbm(fx, fy, w, 2, 3, seed) * 3 + fx / w) * 2 * M_PI);
    if (kind == "staff") {
        int inBlock = y % 32;
        return (inBlock >= 4 && inBlock <= 16 && inBlock % 3 == 1) ? -1 : 0;
    }
    if (kind == "snow") {
        auto c = Cells(fx, fy, w, 3, seed);
        double dx = std::abs(std::fmod(fx, w / 3.0) - w / 6.0), dy = std::abs(std::fmod(fy, h / 3.0) - h / 6.0);
        (void)dx;
        (void)dy;
        return c[0] < 0.07 ? 1 : (c[0] < 0.13 ? 0.4 : 0);
    }
    if (kind == "stone") {
        int row = y / 16, offset = row % 2 ? 20 : 0;
        bool joint = y % 16 == 0 || (x + offset) % 40 == 0 || (x + offset) % 40 == 39;
        return joint ? -1 : 0.7 * Fbm(fx + row * 13, fy, w, 4, 3, seed);
    }
    if (kind == "marble") {
        double v = std::sin((fx / w * 2 + fy / h + 2.2 * Fbm(fx, fy, w, 2, 4, seed)) * 2 * M_PI);
        return std::pow(1 - std::abs(v), 6) * -2 + 0.3 * (1 - std::abs(v));
    }
    if (kind == "sand")
        return 0.55 * (Random(x, y, seed) * 2 - 1) + 0.45 * std::sin((fy / h * 8 + 0.5 * Fbm(fx, fy, w, 2, 2, seed)) * 2 * M_PI);
    if (kind == "ice" || kind == "caustics") {
        auto c = Cells(fx, fy, w, kind == "ice" ? 3 : 4, seed);
        double edge = c[1] - c[0];
        if (kind == "ice")
            return edge < 0.06 ? -1 : 0.2 * Fbm(fx, fy, w, 4, 2, seed);
        return edge < 0.12 ? 1 - edge / 0.12 : -0.2;
    }
    if (kind == "leather") {
        auto c = Cells(fx, fy, w, 8, seed);
        double edge = c[1] - c[0];
        return edge < 0.1 ? -1 : 0.4 * (1 - c[0]);
    }
    if (kind == "rain") {
        int column = x / 4;
        double head = Random(column, 0, seed) * h, length = 10 + Random(column, 1, seed) * 30;
        bool active = Random(column, 2, seed) < 0.45;
        double along = std::fmod(head - fy + h, double(h));
        return active && along < length && x % 4 < 2 ? 1 - along / length : 0;
    }
    if (kind == "clouds")
        return Fbm(fx, fy, w, 2, 5, seed) * 1.3;
    if (kind == "weave") {
        bool warp = (x % 8) < 4, weft = (y % 8) < 4;
        return (x % 8 == 3 || y % 8 == 3) ? -1 : ((warp != weft) ? 0.5 : -0.2);
    }
    if (kind == "lattice") {
        int lx = x % 16, ly = y % 16;
        bool line = lx == 0 || ly == 0 || lx == ly || lx == 15 - ly;
        return line ? -1 : 0.1;
    }
    if (kind == "velvet")
        return Fbm(fx / 3, fy, w / 3 > 0 ? w / 3 : 1, 2, 3, seed);
    if (kind == "camo") {
        double v = Fbm(fx, fy, w, 2, 3, seed);
        return v > 0.2 ? 1 : (v < -0.2 ? -1 : 0);
    }
    if (kind == "diamond") {
        int dx = std::abs(x % 16 - 8), dy = std::abs(y % 16 - 8);
        return dx + dy == 8 || dx + dy == 7 ? -1 : 0.2;
    }
    if (kind == "rosette") {
        auto c = Cells(fx, fy, w, 3, seed);
        return c[0] > 0.22 && c[0] < 0.34 ? -1 : 0;
    }
    throw std::invalid_argument("unknown texture '" + std::string(kind) + "'");
}

} // namespace

double TextureAmplitude(std::string_view kind) { return FindKind(kind).amplitude; }

Bitmap MakeTextureTile(std::string_view kindName, Rgb middle, std::uint32_t seed)
{
    const TextureKind& kind = FindKind(kindName);
    Bitmap tile(kind.width, kind.height);
    for (int y = 0; y < kind.height; ++y) {
        for (int x = 0; x < kind.width; ++x) {
            double v = std::clamp(Value(kindName, x, y, kind.width, kind.height, seed), -1.0, 1.0);
            Put(tile, x, y, Mix(middle, v > 0 ? White : Black, kind.amplitude * std::abs(v)));
        }
    }
    return tile;
}

} // namespace skingen
