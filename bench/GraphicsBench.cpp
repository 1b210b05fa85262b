// BitBlt and AlphaBlend of a 659 x 533 picture between two 32-bit bitmaps against one memcpy of
// the same bytes: the copy should cost little beyond the memory traffic (goal: at most 1.5 x
// memcpy), and a blend with per-pixel and constant alpha, which every fade and glow leans on, at
// most 4 x memcpy.
#include "platform/graphics/Gdi.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int Width = 659, Height = 533;

void BM_BitBltCopy(benchmark::State& state)
{
    platform::Bitmap source(Width, Height), target(Width, Height);
    source.Fill(platform::MakePixel(10, 20, 30, 40));
    platform::HDC src = platform::CreateBitmapDC(&source), dst = platform::CreateBitmapDC(&target);
    for (auto _ : state) {
        platform::BitBlt(dst, 0, 0, Width, Height, src, 0, 0, platform::SRCCOPY);
        benchmark::DoNotOptimize(target.Data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Width) * Height * 4);
    platform::DeleteDC(src);
    platform::DeleteDC(dst);
}
BENCHMARK(BM_BitBltCopy);

void BM_MemcpySameBytes(benchmark::State& state)
{
    std::vector<platform::PixelBGRA> source(std::size_t(Width) * Height, platform::MakePixel(10, 20, 30, 40));
    std::vector<platform::PixelBGRA> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size() * sizeof(platform::PixelBGRA));
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Width) * Height * 4);
}
BENCHMARK(BM_MemcpySameBytes);

// A copy through a clip of two rectangles, as a window partly covered by another paints.
void BM_BitBltClipped(benchmark::State& state)
{
    platform::Bitmap source(Width, Height), target(Width, Height);
    platform::HDC src = platform::CreateBitmapDC(&source), dst = platform::CreateBitmapDC(&target);
    platform::ExcludeClipRect(dst, 100, 100, 300, 300);
    for (auto _ : state) {
        platform::BitBlt(dst, 0, 0, Width, Height, src, 0, 0, platform::SRCCOPY);
        benchmark::DoNotOptimize(target.Data());
        benchmark::ClobberMemory();
    }
    platform::DeleteDC(src);
    platform::DeleteDC(dst);
}
BENCHMARK(BM_BitBltClipped);

void BM_AlphaBlend(benchmark::State& state)
{
    platform::Bitmap source(Width, Height), target(Width, Height);
    source.Fill(platform::MakePixel(100, 50, 25, 128));
    target.Fill(platform::MakePixel(200, 200, 200, 255));
    platform::HDC src = platform::CreateBitmapDC(&source), dst = platform::CreateBitmapDC(&target);
    platform::BLENDFUNCTION bf;
    bf.AlphaFormat = platform::AC_SRC_ALPHA;
    bf.SourceConstantAlpha = 200;
    for (auto _ : state) {
        platform::AlphaBlend(dst, 0, 0, Width, Height, src, 0, 0, Width, Height, bf);
        benchmark::DoNotOptimize(target.Data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Width) * Height * 4);
    platform::DeleteDC(src);
    platform::DeleteDC(dst);
}
BENCHMARK(BM_AlphaBlend);

void BM_GradientTriangles(benchmark::State& state)
{
    platform::Bitmap target(Width, Height);
    platform::HDC dc = platform::CreateBitmapDC(&target);
    platform::TRIVERTEX v[4] = {{0, 0, 0xFF00, 0, 0, 0xFF00}, {Width, 0, 0, 0xFF00, 0, 0xFF00},
                                {Width, Height, 0, 0, 0xFF00, 0xFF00}, {0, Height, 0x8000, 0x8000, 0x8000, 0xFF00}};
    platform::GRADIENT_TRIANGLE mesh[2] = {{0, 1, 2}, {0, 2, 3}};
    for (auto _ : state) {
        platform::GradientFill(dc, v, 4, mesh, 2, platform::GRADIENT_FILL_TRIANGLE);
        benchmark::DoNotOptimize(target.Data());
    }
    platform::DeleteDC(dc);
}
BENCHMARK(BM_GradientTriangles);

} // namespace
