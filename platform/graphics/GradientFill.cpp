// GradientFill: rectangles shaded along one axis and smooth-shaded triangles.
#include "platform/graphics/Gdi.h"

#include "platform/graphics/GraphicsInternal.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

struct Color4 {
    int r, g, b, a;
};

// Only the high byte of the platform's 16-bit channels is used.
Color4 ColorOf(const TRIVERTEX& v) { return Color4{v.Red >> 8, v.Green >> 8, v.Blue >> 8, v.Alpha >> 8}; }

// Step i of n (0 <= i < n) from c1 towards c2: c1 + (c2 - c1) * i / n rounded half up, so step 0
// is c1 exactly. The numerator stays positive because (c2 - c1) * i > -c1 * n.
int Lerp(int c1, int c2, std::int64_t i, std::int64_t n) { return int((2 * c1 * n + 2 * (c2 - c1) * i + n) / (2 * n)); }

PixelBGRA LerpPixel(const Color4& c1, const Color4& c2, std::int64_t i, std::int64_t n)
{
    return MakePixel(BYTE(Lerp(c1.r, c2.r, i, n)), BYTE(Lerp(c1.g, c2.g, i, n)), BYTE(Lerp(c1.b, c2.b, i, n)),
                     BYTE(Lerp(c1.a, c2.a, i, n)));
}

// The vertices' own coordinates are the rectangle's corners, in either order; the colour of the
// vertex nearer the start of the shaded axis is the first colour.
void FillGradientRect(HDC dc, const TRIVERTEX& p, const TRIVERTEX& q, bool horizontal)
{
    Rect64 r{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
    if (r.IsEmpty())
        return;
    const bool pFirst = horizontal ? p.x <= q.x : p.y <= q.y;
    const Color4 c1 = ColorOf(pFirst ? p : q), c2 = ColorOf(pFirst ? q : p);
    const std::int64_t n = horizontal ? r.right - r.left : r.bottom - r.top;
    std::vector<PixelBGRA> row;
    ForEachVisibleRect64(dc, r, [&](const RECT& d) {
        if (horizontal) {
            row.resize(std::size_t(d.right - d.left));
            for (LONG x = d.left; x < d.right; ++x)
                row[std::size_t(x - d.left)] = LerpPixel(c1, c2, x - dc->origin.x - r.left, n);
            for (LONG y = d.top; y < d.bottom; ++y)
                std::copy(row.begin(), row.end(), dc->target->ScanLine(y) + d.left);
        } else {
            for (LONG y = d.top; y < d.bottom; ++y)
                std::fill_n(dc->target->ScanLine(y) + d.left, d.right - d.left,
                            LerpPixel(c1, c2, y - dc->origin.y - r.top, n));
        }
    });
}

template <typename Int>
Int FloorDiv(Int a, Int b) // b > 0
{
    Int q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

template <typename Int>
Int CeilDiv(Int a, Int b) // b > 0
{
    return -FloorDiv<Int>(-a, b);
}

// A pixel belongs to the triangle when its centre lies inside; a centre exactly on an edge belongs
// to it only on a left edge or a horizontal top edge, so triangles sharing an edge cover each of
// its pixels once. Colours are the vertex colours weighted by the centre's barycentric
// coordinates, rounded to nearest. Coordinates are doubled so that centres are integers; Int is
// wide enough for the vertices' range.
template <typename Int>
void FillTriangle(HDC dc, const TRIVERTEX* v[3])
{
    Int px[3], py[3];
    for (int i = 0; i < 3; ++i) {
        px[i] = Int(2) * v[i]->x;
        py[i] = Int(2) * v[i]->y;
    }
    Int area = (px[1] - px[0]) * (py[2] - py[0]) - (py[1] - py[0]) * (px[2] - px[0]);
    if (area == 0)
        return;
    int order[3] = {0, 1, 2};
    if (area < 0) {
        std::swap(order[1], order[2]);
        area = -area;
    }
    // Edge k runs between the two vertices other than k; E_k(P) = A*Px + B*Py + C is the weight of
    // vertex k, positive inside.
    struct Edge {
        Int a, b, c;
        Int bias;
    } edges[3];
    Color4 colors[3];
    for (int k = 0; k < 3; ++k) {
        int from = order[(k + 1) % 3], to = order[(k + 2) % 3];
        Edge& e = edges[k];
        e.a = -(py[to] - py[from]);
        e.b = px[to] - px[from];
        e.c = -e.b * py[from] - e.a * px[from];
        e.bias = (e.a > 0 || (e.a == 0 && e.b > 0)) ? 0 : 1;
        colors[k] = ColorOf(*v[order[k]]);
    }
    Rect64 box{v[0]->x, v[0]->y, v[0]->x, v[0]->y};
    for (int i = 1; i < 3; ++i) {
        box.left = std::min<std::int64_t>(box.left, v[i]->x);
        box.top = std::min<std::int64_t>(box.top, v[i]->y);
        box.right = std::max<std::int64_t>(box.right, v[i]->x);
        box.bottom = std::max<std::int64_t>(box.bottom, v[i]->y);
    }
    const std::int64_t ox = dc->origin.x, oy = dc->origin.y;
    const Int twoArea = 2 * area;
    ForEachVisibleRect64(dc, box, [&](const RECT& d) {
        for (LONG y = d.top; y < d.bottom; ++y) {
            const Int centreY = Int(2) * (y - oy) + 1;
            std::int64_t xlo = d.left - ox, xhi = d.right - ox; // logical columns
            Int k[3], s[3]; // E_k at logical column x is k + s * x
            bool empty = false;
            for (int e = 0; e < 3 && !empty; ++e) {
                k[e] = edges[e].a + edges[e].b * centreY + edges[e].c;
                s[e] = 2 * edges[e].a;
                if (s[e] == 0)
                    empty = k[e] < edges[e].bias;
                else if (s[e] > 0)
                    xlo = std::max<std::int64_t>(xlo, std::int64_t(CeilDiv<Int>(edges[e].bias - k[e], s[e])));
                else
                    xhi = std::min<std::int64_t>(xhi, std::int64_t(FloorDiv<Int>(k[e] - edges[e].bias, -s[e]) + 1));
            }
            if (empty || xlo >= xhi)
                continue;
            Int w[3] = {k[0] + s[0] * xlo, k[1] + s[1] * xlo, k[2] + s[2] * xlo};
            PixelBGRA* out = dc->target->ScanLine(y) + (xlo + ox);
            for (std::int64_t x = xlo; x < xhi; ++x, ++out) {
                auto mix = [&](int Color4::*channel) {
                    Int sum = w[0] * (colors[0].*channel) + w[1] * (colors[1].*channel) + w[2] * (colors[2].*channel);
                    return BYTE((2 * sum + area) / twoArea);
                };
                *out = MakePixel(mix(&Color4::r), mix(&Color4::g), mix(&Color4::b), mix(&Color4::a));
                for (int e = 0; e < 3; ++e)
                    w[e] += s[e];
            }
        }
    });
}

} // namespace

bool GradientFill(HDC dc, const TRIVERTEX* vertices, UINT vertexCount, const void* mesh, UINT meshCount, UINT mode)
{
    if (!dc || mode > GRADIENT_FILL_TRIANGLE)
        return false;
    if (meshCount == 0)
        return true;
    if (!vertices || !mesh)
        return false;
    // Every index is checked before anything is drawn, so a bad mesh draws nothing.
    if (mode == GRADIENT_FILL_TRIANGLE) {
        const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
        for (UINT i = 0; i < meshCount; ++i)
            if (triangles[i].Vertex1 >= vertexCount || triangles[i].Vertex2 >= vertexCount ||
                triangles[i].Vertex3 >= vertexCount)
                return false;
        if (!dc->target)
            return true;
        for (UINT i = 0; i < meshCount; ++i) {
            const TRIVERTEX* v[3] = {&vertices[triangles[i].Vertex1], &vertices[triangles[i].Vertex2],
                                     &vertices[triangles[i].Vertex3]};
            // Narrow arithmetic is exact while doubled coordinates and their products stay far
            // below 2^63; beyond that the same code runs in 128 bits.
            constexpr LONG Narrow = 1 << 20;
            bool small = true;
            for (const TRIVERTEX* p : v)
                small = small && p->x > -Narrow && p->x < Narrow && p->y > -Narrow && p->y < Narrow;
            if (small)
                FillTriangle<std::int64_t>(dc, v);
            else
                FillTriangle<__int128>(dc, v);
        }
        return true;
    }
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (UINT i = 0; i < meshCount; ++i)
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount)
            return false;
    for (UINT i = 0; i < meshCount; ++i)
        FillGradientRect(dc, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight], mode == GRADIENT_FILL_RECT_H);
    return true;
}

bool GradientFillRect(HDC dc, const RECT& r, COLORREF from, COLORREF to, UINT mode)
{
    auto vertex = [](LONG x, LONG y, COLORREF c) {
        return TRIVERTEX{x, y, WORD(GetRValue(c) << 8), WORD(GetGValue(c) << 8), WORD(GetBValue(c) << 8), 0xFF00};
    };
    if (!dc || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
        return false;
    FillGradientRect(dc, vertex(r.left, r.top, from), vertex(r.right, r.bottom, to), mode == GRADIENT_FILL_RECT_H);
    return true;
}

} // namespace platform
