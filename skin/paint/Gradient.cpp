#include "skin/paint/Gradient.h"

#include "skin/paint/PaintInternal.h"

#include "platform/graphics/Gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skin {

using namespace paint_detail;

namespace {

// Colour i of n running from c1 (i = 0) to c2 (i = n - 1), each channel rounded as the real
// interpolation gives it (halves to even).
PixelBGRA Interpolate(int c1, int c2, int i, int n)
{
    if (n <= 1 || c1 == c2)
        return ColorPixel(c1);
    const double t = double(i) / double(n - 1);
    auto ch = [&](int shift) {
        const int a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        return platform::BYTE(std::clamp(int(std::nearbyint(a + (b - a) * t)), 0, 255));
    };
    return platform::MakePixel(ch(0), ch(8), ch(16));
}

// Fills values[from..to) with one piece's run of colours.
void FillRun(PixelBGRA* values, int from, int to, const TsGradPie& piece)
{
    const int n = to - from;
    for (int i = 0; i < n; ++i)
        values[from + i] = Interpolate(piece.Color1, piece.Color2, i, n);
}

// The colours of a gradient along one axis of the given length: vertical pieces end at
// start + length * Percent / 100 (integer), horizontal ones at start + Percent * length / 100
// rounded; the last piece always reaches the end.
std::vector<PixelBGRA> Runs(const std::vector<TsGradPie>& pieces, int length, bool horizontal)
{
    std::vector<PixelBGRA> values(std::size_t(std::max(length, 0)));
    int start = 0;
    for (std::size_t k = 0; k < pieces.size() && start < length; ++k) {
        int end;
        if (k + 1 == pieces.size())
            end = length;
        else if (horizontal)
            end = int(std::nearbyint(start + pieces[k].Percent * double(length) / 100.0));
        else
            end = start + length * pieces[k].Percent / 100;
        end = std::clamp(end, start, length);
        FillRun(values.data(), start, end, pieces[k]);
        start = end;
    }
    return values;
}

platform::TRIVERTEX Vertex(int x, int y, int color)
{
    platform::TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = platform::WORD((color & 0xFF) << 8);
    v.Green = platform::WORD(((color >> 8) & 0xFF) << 8);
    v.Blue = platform::WORD(((color >> 16) & 0xFF) << 8);
    v.Alpha = 0xFF00;
    return v;
}

void PaintTriangles(Bitmap& bmp, RECT r, const std::vector<TsGradPie>& pieces)
{
    // Top-left, centre, top-right, bottom-right, bottom-left; a missing piece repeats the colour
    // of the vertex before it.
    int colors[5];
    for (int i = 0; i < 5; ++i)
        colors[i] = i < int(pieces.size()) ? pieces[std::size_t(i)].Color1 : colors[i - 1];
    const platform::TRIVERTEX v[5] = {
        Vertex(r.left, r.top, colors[0]), Vertex((r.left + r.right) / 2, (r.top + r.bottom) / 2, colors[1]),
        Vertex(r.right, r.top, colors[2]), Vertex(r.right, r.bottom, colors[3]), Vertex(r.left, r.bottom, colors[4]),
    };
    const platform::GRADIENT_TRIANGLE mesh[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    platform::HDC dc = platform::CreateBitmapDC(&bmp);
    platform::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    platform::GradientFill(dc, v, 5, mesh, 4, platform::GRADIENT_FILL_TRIANGLE);
    platform::DeleteDC(dc);
}

} // namespace

std::vector<TsGradPie> PrepareGradArray(std::string_view text) { return ParseGradientData(text); }

void PaintGrad(Bitmap& bmp, RECT r, const std::vector<TsGradPie>& pieces)
{
    if (pieces.empty() || !ClipTo(bmp, r))
        return;
    switch (pieces[0].Mode1) {
    case 0: {
        const std::vector<PixelBGRA> rows = Runs(pieces, r.Height(), false);
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(bmp.ScanLine(y) + r.left, r.Width(), rows[std::size_t(y - r.top)]);
        break;
    }
    case 1: {
        const std::vector<PixelBGRA> row = Runs(pieces, r.Width(), true);
        for (int y = r.top; y < r.bottom; ++y)
            std::copy(row.begin(), row.end(), bmp.ScanLine(y) + r.left);
        break;
    }
    case 2:
        PaintTriangles(bmp, r, pieces);
        break;
    default:
        break;
    }
}

void PaintGradTxt(Bitmap& bmp, RECT r, const std::vector<TsGradPie>& pieces, const Bitmap& src, RECT tile,
                  int textureWeight)
{
    const RECT whole = r;
    if (!ClipTo(bmp, r) || !platform::IntersectRect(&tile, tile, src.BoundsRect()))
        return;
    PaintGrad(bmp, r, pieces);
    const unsigned w = unsigned(std::clamp(textureWeight, 0, 256)), k = 256 - w;
    const int tw = tile.Width(), th = tile.Height();
    for (int y = r.top; y < r.bottom; ++y) {
        PixelBGRA* out = bmp.ScanLine(y);
        const PixelBGRA* t = src.ScanLine(tile.top + (y - whole.top) % th) + tile.left;
        for (int x = r.left; x < r.right; ++x) {
            const PixelBGRA g = out[x], s = t[(x - whole.left) % tw];
            // ((texture - gradient) * W + gradient * 256) >> 8, two lanes at a time.
            const PixelBGRA br = (((s & 0x00FF00FF) * w + (g & 0x00FF00FF) * k) >> 8) & 0x00FF00FF;
            const PixelBGRA gr = (((((s >> 8) & 0xFF) * w + ((g >> 8) & 0xFF) * k) >> 8) & 0xFF) << 8;
            out[x] = 0xFF000000u | br | gr;
        }
    }
}

} // namespace skin
