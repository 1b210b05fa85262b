// Scaled copies and alpha blending: StretchBlt, and AlphaBlend computing the blend formula of
// platform/graphics/PixelAlpha.h many pixels at a time.
#include "platform/graphics/Gdi.h"

#include "platform/graphics/GraphicsInternal.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace platform {

namespace {

// Walks the destination pixels of a scaled copy, nearest neighbour: destination column j of n
// takes source column floor((2j + 1) * m / (2n)) of m, the one under its centre, counted from the
// far end when mirrored. fn(dstRow, srcRow, columns, count) gets the source column of each
// destination pixel, or -1 where the source bitmap has no pixel.
template <typename RowFn>
void ForEachScaledRow(HDC dst, const Rect64& dstLogical, const Bitmap& source, const Rect64& srcDevice,
                      bool mirrorX, bool mirrorY, RowFn fn)
{
    using Wide = __int128;
    const std::int64_t dw = dstLogical.right - dstLogical.left, dh = dstLogical.bottom - dstLogical.top;
    const std::int64_t sw = srcDevice.right - srcDevice.left, sh = srcDevice.bottom - srcDevice.top;
    auto sample = [](std::int64_t j, std::int64_t n, std::int64_t m, bool mirror) {
        auto k = std::int64_t((Wide(2) * j + 1) * m / (Wide(2) * n));
        return mirror ? m - 1 - k : k;
    };
    std::vector<int> columns;
    ForEachVisibleRect64(dst, dstLogical, [&](const RECT& d) {
        columns.resize(std::size_t(d.right - d.left));
        for (LONG x = d.left; x < d.right; ++x) {
            std::int64_t sx = srcDevice.left + sample(x - dst->origin.x - dstLogical.left, dw, sw, mirrorX);
            columns[std::size_t(x - d.left)] = sx >= 0 && sx < source.Width() ? int(sx) : -1;
        }
        for (LONG y = d.top; y < d.bottom; ++y) {
            std::int64_t sy = srcDevice.top + sample(y - dst->origin.y - dstLogical.top, dh, sh, mirrorY);
            if (sy < 0 || sy >= source.Height())
                continue;
            fn(dst->target->ScanLine(y) + d.left, source.ScanLine(int(sy)), columns.data(), d.right - d.left);
        }
    });
}

void BlendRowPlain(PixelBGRA* out, const PixelBGRA* in, int count, BYTE ca, PixelBGRA opaque)
{
    for (int i = 0; i < count; ++i)
        out[i] = BlendPremultiplied(out[i], in[i] | opaque, ca);
}

#if defined(__x86_64__)
// Many pixels at a time, each channel in a 16-bit lane: blue and red of every pixel in one
// vector, green and alpha in another, so that no lane ever has to move across the pixel. Every
// product stays below 65536, and round(x / 255) is ((x + 128) * 257) >> 16 there, the same as
// Div255. A pixel whose source alpha is 0 keeps its destination as the formula says.

[[gnu::target("sse2")]] inline __m128i Div255x8(__m128i x)
{
    return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

[[gnu::target("sse2")]] void BlendRowSse2(PixelBGRA* out, const PixelBGRA* in, int count, BYTE ca, PixelBGRA opaque)
{
    const __m128i low = _mm_set1_epi32(0x00FF00FF), full = _mm_set1_epi16(255), alphaBits = _mm_set1_epi32(int(0xFF000000u));
    const __m128i constant = _mm_set1_epi16(short(ca)), solid = _mm_set1_epi32(int(opaque));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i s = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), solid);
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
        __m128i clear = _mm_cmpeq_epi32(_mm_and_si128(s, alphaBits), _mm_setzero_si128());
        __m128i sBr = Div255x8(_mm_mullo_epi16(_mm_and_si128(s, low), constant));
        __m128i sGa = Div255x8(_mm_mullo_epi16(_mm_srli_epi16(s, 8), constant));
        __m128i a = _mm_srli_epi32(sGa, 16);
        __m128i keep = _mm_sub_epi16(full, _mm_or_si128(a, _mm_slli_epi32(a, 16)));
        __m128i br = _mm_add_epi16(sBr, Div255x8(_mm_mullo_epi16(_mm_and_si128(d, low), keep)));
        __m128i ga = _mm_add_epi16(sGa, Div255x8(_mm_mullo_epi16(_mm_srli_epi16(d, 8), keep)));
        __m128i blended = _mm_or_si128(_mm_min_epi16(br, full), _mm_slli_epi16(_mm_min_epi16(ga, full), 8));
        blended = _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), blended);
    }
    BlendRowPlain(out + i, in + i, count - i, ca, opaque);
}

// The wider kernels scale the source's channels and the destination's separately, pack each back
// to bytes (no term exceeds 255) and add them with unsigned saturation, which is the formula's
// "at most 255". The source's scaled alpha is spread over its pixel's lanes by a byte shuffle.

[[gnu::target("avx2")]] inline __m256i Div255x16(__m256i x)
{
    return _mm256_mulhi_epu16(_mm256_add_epi16(x, _mm256_set1_epi16(128)), _mm256_set1_epi16(257));
}

// Each byte of p (a pixel's channels) times the 16-bit factors, rounded back to bytes.
[[gnu::target("avx2")]] inline __m256i ScaleBytes(__m256i p, __m256i factors)
{
    const __m256i low = _mm256_set1_epi32(0x00FF00FF);
    __m256i br = Div255x16(_mm256_mullo_epi16(_mm256_and_si256(p, low), factors));
    __m256i ga = Div255x16(_mm256_mullo_epi16(_mm256_srli_epi16(p, 8), factors));
    return _mm256_or_si256(br, _mm256_slli_epi16(ga, 8));
}

[[gnu::target("avx2")]] void BlendRowAvx2(PixelBGRA* out, const PixelBGRA* in, int count, BYTE ca, PixelBGRA opaque)
{
    const __m256i alphaBits = _mm256_set1_epi32(int(0xFF000000u)), low = _mm256_set1_epi32(0x00FF00FF);
    const __m256i constant = _mm256_set1_epi16(short(ca)), solid = _mm256_set1_epi32(int(opaque));
    // Byte 3 of each pixel into bytes 0 and 2, zeros into 1 and 3.
    const __m256i spreadAlpha = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1,
                                                 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        __m256i s = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i)), solid);
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out + i));
        __m256i clear = _mm256_cmpeq_epi32(_mm256_and_si256(s, alphaBits), _mm256_setzero_si256());
        __m256i scaled = ScaleBytes(s, constant);
        __m256i keep = _mm256_xor_si256(_mm256_shuffle_epi8(scaled, spreadAlpha), low);
        __m256i blended = _mm256_adds_epu8(scaled, ScaleBytes(d, keep));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_blendv_epi8(blended, d, clear));
    }
    BlendRowSse2(out + i, in + i, count - i, ca, opaque);
}

[[gnu::target("avx512bw")]] inline __m512i Div255x32(__m512i x)
{
    return _mm512_mulhi_epu16(_mm512_add_epi16(x, _mm512_set1_epi16(128)), _mm512_set1_epi16(257));
}

[[gnu::target("avx512bw")]] inline __m512i ScaleBytes(__m512i p, __m512i factors)
{
    const __m512i low = _mm512_set1_epi32(0x00FF00FF);
    __m512i br = Div255x32(_mm512_mullo_epi16(_mm512_and_si512(p, low), factors));
    __m512i ga = Div255x32(_mm512_mullo_epi16(_mm512_srli_epi16(p, 8), factors));
    return _mm512_or_si512(br, _mm512_slli_epi16(ga, 8));
}

// With byte permutes the source's scaled channels come from a table of the 256 products,
// built once a row, instead of being multiplied out.
[[gnu::target("avx512bw,avx512vbmi")]] void BlendRowAvx512(PixelBGRA* out, const PixelBGRA* in, int count, BYTE ca,
                                                            PixelBGRA opaque)
{
    const __m512i alphaBits = _mm512_set1_epi32(int(0xFF000000u)), low = _mm512_set1_epi32(0x00FF00FF);
    const __m512i constant = _mm512_set1_epi16(short(ca)), solid = _mm512_set1_epi32(int(opaque));
    const __m512i spreadAlpha = _mm512_set4_epi32(int(0xFF0FFF0F), int(0xFF0BFF0B), int(0xFF07FF07), int(0xFF03FF03));
    __m512i products[4];
    for (int k = 0; k < 4; ++k) {
        alignas(64) BYTE values[64];
        for (int j = 0; j < 64; ++j)
            values[j] = BYTE(64 * k + j);
        products[k] = ScaleBytes(_mm512_load_si512(values), constant);
    }
    // Up to the first pixel whose vector does not straddle two cache lines.
    int i = std::min(count, int((64 - reinterpret_cast<std::uintptr_t>(out) % 64) % 64 / sizeof(PixelBGRA)));
    BlendRowAvx2(out, in, i, ca, opaque);
    for (; i + 16 <= count; i += 16) {
        __m512i s = _mm512_or_si512(_mm512_loadu_si512(in + i), solid);
        __m512i d = _mm512_loadu_si512(out + i);
        __mmask16 visible = _mm512_test_epi32_mask(s, alphaBits);
        __m512i scaled = _mm512_mask_blend_epi8(_mm512_movepi8_mask(s), _mm512_permutex2var_epi8(products[0], s, products[1]),
                                                _mm512_permutex2var_epi8(products[2], s, products[3]));
        __m512i keep = _mm512_xor_si512(_mm512_shuffle_epi8(scaled, spreadAlpha), low);
        __m512i blended = _mm512_adds_epu8(scaled, ScaleBytes(d, keep));
        _mm512_storeu_si512(out + i, _mm512_mask_blend_epi32(visible, d, blended));
    }
    BlendRowAvx2(out + i, in + i, count - i, ca, opaque);
}

#endif

void BlendRow(PixelBGRA* out, const PixelBGRA* in, int count, BYTE ca, PixelBGRA opaque)
{
    static const BlendRowFn fastest = BlendRowKernels().back();
    fastest(out, in, count, ca, opaque);
}

// A rectangle from a corner and signed extents, and whether it runs backwards.
Rect64 Normalized(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h)
{
    return Rect64{w < 0 ? x + w : x, h < 0 ? y + h : y, w < 0 ? x : x + w, h < 0 ? y : y + h};
}

} // namespace

std::vector<BlendRowFn> BlendRowKernels()
{
    std::vector<BlendRowFn> kernels{BlendRowPlain};
#if defined(__x86_64__)
    kernels.push_back(BlendRowSse2);
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        kernels.push_back(BlendRowAvx2);
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi"))
        kernels.push_back(BlendRowAvx512);
#endif
    return kernels;
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop)
{
    if (!dst || !src || !dst->target || !src->target || rop != SRCCOPY)
        return false;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return true;
    Rect64 to = Normalized(x, y, width, height);
    Rect64 from = Normalized(std::int64_t(srcX) + src->origin.x, std::int64_t(srcY) + src->origin.y, srcWidth, srcHeight);
    // A copy scales into the same bitmap it reads from only through a snapshot of it.
    Bitmap snapshot;
    const Bitmap* source = src->target;
    if (source == dst->target) {
        snapshot = *source;
        source = &snapshot;
    }
    ForEachScaledRow(dst, to, *source, from, (width < 0) != (srcWidth < 0), (height < 0) != (srcHeight < 0),
                     [](PixelBGRA* out, const PixelBGRA* in, const int* columns, int count) {
                         for (int i = 0; i < count; ++i)
                             if (columns[i] >= 0)
                                 out[i] = in[columns[i]];
                     });
    return true;
}

bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend)
{
    if (!dst || !src || !dst->target || !src->target || blend.BlendOp != AC_SRC_OVER)
        return false;
    // As on the platform: no mirroring, and the source rectangle must lie inside the source.
    if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    Rect64 from{std::int64_t(srcX) + src->origin.x, std::int64_t(srcY) + src->origin.y, 0, 0};
    from.right = from.left + srcWidth;
    from.bottom = from.top + srcHeight;
    if (from.left < 0 || from.top < 0 || from.right > src->target->Width() || from.bottom > src->target->Height())
        return false;
    const BYTE ca = blend.SourceConstantAlpha;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0 || ca == 0)
        return true;
    Bitmap snapshot;
    const Bitmap* source = src->target;
    if (source == dst->target) {
        snapshot = *source;
        source = &snapshot;
    }
    // Without per-pixel alpha the source counts as opaque.
    const PixelBGRA opaque = (blend.AlphaFormat & AC_SRC_ALPHA) ? 0 : 0xFF000000u;
    Rect64 to{x, y, std::int64_t(x) + width, std::int64_t(y) + height};
    // Unscaled rows are read in place; scaled ones are gathered first.
    const bool unscaled = srcWidth == width;
    std::vector<PixelBGRA> gathered;
    ForEachScaledRow(dst, to, *source, from, false, false,
                     [&](PixelBGRA* out, const PixelBGRA* in, const int* columns, int count) {
                         if (unscaled) {
                             BlendRow(out, in + columns[0], count, ca, opaque);
                             return;
                         }
                         gathered.resize(std::size_t(count));
                         for (int i = 0; i < count; ++i)
                             gathered[std::size_t(i)] = in[columns[i]];
                         BlendRow(out, gathered.data(), count, ca, opaque);
                     });
    return true;
}

} // namespace platform
