#include "platform/frame/MessageIcon.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/PixelAlpha.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace platform {

namespace {

constexpr int N = kMessageIconSize;

struct Color {
    float r, g, b;
};

constexpr Color Rgb(int r, int g, int b) { return Color{r / 255.0f, g / 255.0f, b / 255.0f}; }

struct Vec {
    float x, y;
};

float DistanceToSegment(Vec p, Vec a, Vec b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

using Shape = std::function<bool(Vec)>;
using Paint = std::function<Color(Vec)>;

Shape Circle(Vec c, float r)
{
    return [=](Vec p) { return (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y) <= r * r; };
}

Shape Capsule(Vec a, Vec b, float halfWidth)
{
    return [=](Vec p) { return DistanceToSegment(p, a, b) <= halfWidth; };
}

// A stroke along the arc of the circle (c, radius) from angle `from` to `to` (degrees, counter-
// clockwise with y pointing up, as on paper), with round ends.
Shape Arc(Vec c, float radius, float from, float to, float halfWidth)
{
    const float rad = std::numbers::pi_v<float> / 180.0f;
    const Vec start{c.x + radius * std::cos(from * rad), c.y - radius * std::sin(from * rad)};
    const Vec end{c.x + radius * std::cos(to * rad), c.y - radius * std::sin(to * rad)};
    return [=](Vec p) {
        float angle = std::atan2(-(p.y - c.y), p.x - c.x) / rad;
        while (angle < from)
            angle += 360.0f;
        if (angle <= to) {
            const float d = std::hypot(p.x - c.x, p.y - c.y);
            if (std::abs(d - radius) <= halfWidth)
                return true;
        }
        return std::hypot(p.x - start.x, p.y - start.y) <= halfWidth ||
               std::hypot(p.x - end.x, p.y - end.y) <= halfWidth;
    };
}

// The triangle abc with its corners rounded by radius, keeping its outer size.
Shape RoundedTriangle(Vec a, Vec b, Vec c, float radius)
{
    const float la = std::hypot(b.x - c.x, b.y - c.y), lb = std::hypot(a.x - c.x, a.y - c.y),
                lc = std::hypot(a.x - b.x, a.y - b.y);
    const float perimeter = la + lb + lc;
    const Vec in{(la * a.x + lb * b.x + lc * c.x) / perimeter, (la * a.y + lb * b.y + lc * c.y) / perimeter};
    const float s = perimeter / 2;
    const float inradius = std::sqrt(s * (s - la) * (s - lb) * (s - lc)) / s;
    const float k = (inradius - radius) / inradius;
    auto shrink = [&](Vec v) { return Vec{in.x + (v.x - in.x) * k, in.y + (v.y - in.y) * k}; };
    const Vec p0 = shrink(a), p1 = shrink(b), p2 = shrink(c);
    return [=](Vec p) {
        auto side = [](Vec u, Vec v, Vec q) { return (v.x - u.x) * (q.y - u.y) - (v.y - u.y) * (q.x - u.x); };
        const float s0 = side(p0, p1, p), s1 = side(p1, p2, p), s2 = side(p2, p0, p);
        const bool inside = (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
        return inside || DistanceToSegment(p, p0, p1) <= radius || DistanceToSegment(p, p1, p2) <= radius ||
               DistanceToSegment(p, p2, p0) <= radius;
    };
}

Paint Solid(Color c)
{
    return [=](Vec) { return c; };
}

Paint Vertical(Color top, Color bottom, float y0, float y1)
{
    return [=](Vec p) {
        const float t = std::clamp((p.y - y0) / (y1 - y0), 0.0f, 1.0f);
        return Color{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t};
    };
}

// Premultiplied float picture; each shape is sampled 4 x 4 times per pixel.
class Canvas {
public:
    void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f)
    {
        constexpr int S = 4;
        for (int y = 0; y < N; ++y) {
            for (int x = 0; x < N; ++x) {
                int hits = 0;
                for (int sy = 0; sy < S; ++sy)
                    for (int sx = 0; sx < S; ++sx)
                        hits += shape(Vec{x + (sx + 0.5f) / S, y + (sy + 0.5f) / S});
                if (hits == 0)
                    continue;
                const float a = opacity * float(hits) / (S * S);
                const Color c = paint(Vec{x + 0.5f, y + 0.5f});
                Px& d = px_[std::size_t(y * N + x)];
                d.r = c.r * a + d.r * (1 - a);
                d.g = c.g * a + d.g * (1 - a);
                d.b = c.b * a + d.b * (1 - a);
                d.a = a + d.a * (1 - a);
            }
        }
    }

    Bitmap ToBitmap() const
    {
        Bitmap b(N, N);
        for (int y = 0; y < N; ++y) {
            for (int x = 0; x < N; ++x) {
                const Px& p = px_[std::size_t(y * N + x)];
                if (p.a <= 0)
                    continue;
                auto byte = [](float v) { return BYTE(std::clamp(std::lround(v * 255.0f), 0L, 255L)); };
                b.SetPixel(x, y, MakePixel(byte(p.r / p.a), byte(p.g / p.a), byte(p.b / p.a), byte(p.a)));
            }
        }
        return b;
    }

private:
    struct Px {
        float r = 0, g = 0, b = 0, a = 0;
    };
    std::array<Px, N * N> px_{};
};

// A round badge with a soft shadow, a rim and a gentle top-to-bottom shading.
void Badge(Canvas& canvas, Color top, Color bottom, Color rim)
{
    const Vec centre{16.0f, 15.5f};
    canvas.Fill(Circle(Vec{16.0f, 16.6f}, 15.0f), Solid(Rgb(0, 0, 0)), 0.16f);
    canvas.Fill(Circle(centre, 14.5f), Solid(rim));
    canvas.Fill(Circle(centre, 13.4f), Vertical(top, bottom, 2.0f, 29.0f));
    // A faint sheen on the upper half.
    canvas.Fill(Circle(Vec{16.0f, 10.0f}, 10.5f), Solid(Rgb(255, 255, 255)), 0.10f);
}

Bitmap DrawStop()
{
    Canvas c;
    Badge(c, Rgb(238, 94, 82), Rgb(196, 40, 28), Rgb(150, 26, 18));
    const Color white = Rgb(255, 255, 255);
    c.Fill(Capsule(Vec{11.0f, 10.5f}, Vec{21.0f, 20.5f}, 2.1f), Solid(white));
    c.Fill(Capsule(Vec{21.0f, 10.5f}, Vec{11.0f, 20.5f}, 2.1f), Solid(white));
    return c.ToBitmap();
}

Bitmap DrawQuestion()
{
    Canvas c;
    Badge(c, Rgb(92, 160, 232), Rgb(28, 94, 184), Rgb(22, 72, 144));
    const Color white = Rgb(255, 255, 255);
    c.Fill(Arc(Vec{16.0f, 11.8f}, 4.6f, -50.0f, 190.0f, 2.0f), Solid(white));
    c.Fill(Capsule(Vec{18.96f, 15.32f}, Vec{16.0f, 18.0f}, 2.0f), Solid(white));
    c.Fill(Capsule(Vec{16.0f, 18.0f}, Vec{16.0f, 18.8f}, 2.0f), Solid(white));
    c.Fill(Circle(Vec{16.0f, 23.6f}, 2.2f), Solid(white));
    return c.ToBitmap();
}

Bitmap DrawInformation()
{
    Canvas c;
    Badge(c, Rgb(92, 160, 232), Rgb(28, 94, 184), Rgb(22, 72, 144));
    const Color white = Rgb(255, 255, 255);
    c.Fill(Circle(Vec{16.0f, 9.0f}, 2.3f), Solid(white));
    c.Fill(Capsule(Vec{16.0f, 14.2f}, Vec{16.0f, 22.6f}, 2.0f), Solid(white));
    return c.ToBitmap();
}

Bitmap DrawWarning()
{
    Canvas c;
    const Vec a{16.0f, 2.0f}, b{30.5f, 28.5f}, d{1.5f, 28.5f};
    c.Fill(RoundedTriangle(Vec{16.0f, 3.2f}, Vec{31.0f, 29.7f}, Vec{1.0f, 29.7f}, 3.0f), Solid(Rgb(0, 0, 0)), 0.16f);
    c.Fill(RoundedTriangle(a, b, d, 3.0f), Solid(Rgb(196, 134, 8)));
    c.Fill(RoundedTriangle(Vec{16.0f, 4.1f}, Vec{28.7f, 27.4f}, Vec{3.3f, 27.4f}, 2.2f),
           Vertical(Rgb(255, 222, 90), Rgb(248, 182, 28), 4.0f, 27.0f));
    const Color ink = Rgb(40, 34, 20);
    c.Fill(Capsule(Vec{16.0f, 11.0f}, Vec{16.0f, 18.6f}, 1.9f), Solid(ink));
    c.Fill(Circle(Vec{16.0f, 23.2f}, 2.0f), Solid(ink));
    return c.ToBitmap();
}

const Bitmap& Picture(MessageIcon icon)
{
    static const Bitmap stop = DrawStop(), question = DrawQuestion(), warning = DrawWarning(),
                        information = DrawInformation();
    switch (icon) {
    case MessageIcon::Stop: return stop;
    case MessageIcon::Question: return question;
    case MessageIcon::Warning: return warning;
    default: return information;
    }
}

} // namespace

MessageIcon MessageIconFromType(UINT mbType)
{
    switch (mbType & 0xF0) {
    case MB_ICONSTOP: return MessageIcon::Stop;
    case MB_ICONQUESTION: return MessageIcon::Question;
    case MB_ICONWARNING: return MessageIcon::Warning;
    case MB_ICONINFORMATION: return MessageIcon::Information;
    default: return MessageIcon::None;
    }
}

HICON GetMessageIcon(MessageIcon icon)
{
    return icon == MessageIcon::None ? nullptr : &Picture(icon);
}

void DrawIcon(HDC dc, int x, int y, HICON icon)
{
    if (!icon)
        return;
    const int w = icon->Width(), h = icon->Height();
    Bitmap premultiplied(w, h);
    for (int py = 0; py < h; ++py) {
        for (int px = 0; px < w; ++px) {
            premultiplied.SetPixel(px, py, Premultiply(icon->Pixel(px, py)));
        }
    }
    HDC src = CreateBitmapDC(&premultiplied);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, x, y, w, h, src, 0, 0, w, h, blend);
    DeleteDC(src);
}

void DrawMessageIcon(HDC dc, int x, int y, MessageIcon icon)
{
    DrawIcon(dc, x, y, GetMessageIcon(icon));
}

} // namespace platform
