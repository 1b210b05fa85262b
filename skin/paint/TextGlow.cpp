#include "skin/paint/TextGlow.h"

#include "skin/paint/PaintInternal.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/Font.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace skin {

using namespace paint_detail;
using platform::BYTE;

namespace {

constexpr int MaxKernel = 16;
// Outer weights are dropped while what they carry stays below half a step of 255.
constexpr double NegligibleMass = 1.0 / 510.0;

// Averages of 2s + 1 values along one line of a mask (count values `step` apart), the ends
// repeated beyond the line. The window sum moves along the line, so a value costs two additions.
void BlurLine(BYTE* line, int count, int step, int s, std::vector<int>& scratch)
{
    scratch.resize(std::size_t(count));
    for (int i = 0; i < count; ++i)
        scratch[std::size_t(i)] = line[std::ptrdiff_t(i) * step];
    auto at = [&](int i) { return scratch[std::size_t(std::clamp(i, 0, count - 1))]; };
    const int n = 2 * s + 1;
    int sum = 0;
    for (int j = -s; j <= s; ++j)
        sum += at(j);
    for (int i = 0; i < count; ++i) {
        // sum / n rounded; n is odd, so no value lies half way.
        line[std::ptrdiff_t(i) * step] = BYTE(std::clamp((2 * sum + n) / (2 * n), 0, 255));
        sum += at(i + s + 1) - at(i - s);
    }
}

} // namespace

std::vector<double> GlowBlurKernel(int g)
{
    if (g <= 0)
        return {1.0};
    std::array<double, 2 * MaxKernel + 1> w{};
    double sum = 0;
    for (int j = -MaxKernel; j <= MaxKernel; ++j) {
        const double x = double(j) / g;
        // Rounded to the nearest integer, halves to even: 1 inside 1.1774 g, 0 beyond.
        w[std::size_t(j + MaxKernel)] = std::nearbyint(std::exp(-x * x / 2));
        sum += w[std::size_t(j + MaxKernel)];
    }
    for (double& v : w)
        v /= sum;
    int s = MaxKernel;
    double removed = 0;
    while (removed < NegligibleMass && s > 1) {
        removed += 2 * w[std::size_t(s + MaxKernel)];
        --s;
    }
    std::vector<double> kernel(w.begin() + (MaxKernel - s), w.begin() + (MaxKernel + s + 1));
    sum = 0;
    for (double v : kernel)
        sum += v;
    for (double& v : kernel)
        v /= sum;
    return kernel;
}

void BlurGlowMask(std::vector<BYTE>& mask, int width, int height, int g)
{
    if (width <= 0 || height <= 0 || mask.size() < std::size_t(width) * std::size_t(height))
        return;
    const std::vector<double> kernel = GlowBlurKernel(g);
    const int s = int(kernel.size() / 2);
    // The rounded weights are all equal, so the weighted sum is a plain average.
    assert(std::all_of(kernel.begin(), kernel.end(), [&](double v) { return std::abs(v - kernel[0]) < 1e-12; }));
    if (s == 0)
        return;
    std::vector<int> scratch;
    for (int y = 0; y < height; ++y)
        BlurLine(mask.data() + std::size_t(y) * std::size_t(width), width, 1, s, scratch);
    for (int x = 0; x < width; ++x)
        BlurLine(mask.data() + x, height, width, s, scratch);
}

void ApplyGlowMask(Bitmap& bmp, int x, int y, const std::vector<BYTE>& mask, int width, int height, int c)
{
    const unsigned cr = unsigned(c) & 0xFF, cg = (unsigned(c) >> 8) & 0xFF, cb = (unsigned(c) >> 16) & 0xFF;
    for (int row = 0; row < height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= bmp.Height())
            continue;
        PixelBGRA* out = bmp.ScanLine(ty);
        const BYTE* m = mask.data() + std::size_t(row) * std::size_t(width);
        for (int i = 0; i < width; ++i) {
            const int tx = x + i;
            const unsigned v = m[i];
            if (v >= 255 || tx < 0 || tx >= bmp.Width())
                continue;
            const unsigned k = 255 - v;
            const PixelBGRA p = out[tx];
            const unsigned a = platform::PixelA(p);
            out[tx] = platform::MakePixel(BYTE((k * cr + platform::PixelR(p) * v) >> 8),
                                          BYTE((k * cg + platform::PixelG(p) * v) >> 8),
                                          BYTE((k * cb + platform::PixelB(p) * v) >> 8),
                                          BYTE(a + (((255 - a) * k) >> 8)));
        }
    }
}

void acDrawGlowForText(platform::HDC dc, platform::StringView text, RECT r, int c, int g, platform::UINT flags)
{
    if (!dc || !dc->target || g <= 0 || text.empty() || r.IsEmpty())
        return;
    platform::OffsetRect(&r, 1, 1);
    const int margin = g + 4;
    const int w = r.Width() + 2 * margin, h = r.Height() + 2 * margin;
    if (!Bitmap::SizeAcceptable(w, h))
        return;
    // The text in black on white, thickened by a pixel each way, in the target's font.
    Bitmap picture(w, h);
    picture.Fill(platform::MakePixel(255, 255, 255));
    platform::HDC maskDc = platform::CreateBitmapDC(&picture);
    platform::SelectFont(maskDc, platform::CurrentFont(dc));
    platform::SetTextColor(maskDc, 0);
    platform::SetBkMode(maskDc, platform::TRANSPARENT);
    constexpr platform::POINT shifts[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {0, 0}};
    for (platform::POINT d : shifts) {
        RECT t{margin + d.x, margin + d.y, margin + d.x + r.Width(), margin + d.y + r.Height()};
        platform::DrawText(maskDc, text, &t, flags & ~platform::DT_CALCRECT);
    }
    platform::DeleteDC(maskDc);
    std::vector<BYTE> mask(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const PixelBGRA* row = picture.ScanLine(y);
        for (int x = 0; x < w; ++x)
            mask[std::size_t(y) * std::size_t(w) + std::size_t(x)] = platform::PixelG(row[x]);
    }
    BlurGlowMask(mask, w, h, g);
    ApplyGlowMask(*dc->target, dc->origin.x + r.left - margin, dc->origin.y + r.top - margin, mask, w, h, c);
}

} // namespace skin
