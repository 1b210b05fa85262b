#include "platform/core/Bitmap.h"

#include <benchmark/benchmark.h>

static void BM_BitmapCopy(benchmark::State& state)
{
    platform::Bitmap source(659, 533);
    for (auto _ : state) {
        platform::Bitmap copy = source;
        benchmark::DoNotOptimize(copy.Data());
    }
}
BENCHMARK(BM_BitmapCopy);
