#include "platform/text/Font.h"
#include "platform/text/Text.h"

#include <benchmark/benchmark.h>

using namespace platform;

// The settings window's longest button caption in its usual font, font and glyphs warm.
static void BM_DrawTextTahoma11(benchmark::State& state)
{
    Bitmap bitmap(300, 30);
    bitmap.Fill(MakePixel(236, 233, 216));
    HDC dc = CreateBitmapDC(&bitmap);
    LOGFONT lf;
    lf.lfHeight = -11;
    SelectFont(dc, CreateFontIndirect(lf));
    SetBkMode(dc, TRANSPARENT);
    const String text = Utf8ToUtf16("Сохранить настройки соединения");
    RECT r = Rect(0, 0, 300, 30);
    DrawText(dc, text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    for (auto _ : state) {
        RECT box = r;
        benchmark::DoNotOptimize(DrawText(dc, text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE));
        benchmark::ClobberMemory();
    }
    DeleteDC(dc);
}
BENCHMARK(BM_DrawTextTahoma11);

// Antialiased outlines: a size the face has no bitmaps for.
static void BM_DrawTextTahoma27Bold(benchmark::State& state)
{
    Bitmap bitmap(300, 40);
    HDC dc = CreateBitmapDC(&bitmap);
    LOGFONT lf;
    lf.lfHeight = -27;
    lf.lfWeight = FW_BOLD;
    SelectFont(dc, CreateFontIndirect(lf));
    SetBkMode(dc, TRANSPARENT);
    const String text = u"Lumo TV Player";
    RECT r = Rect(0, 0, 300, 40);
    DrawText(dc, text, &r, DT_SINGLELINE);
    for (auto _ : state) {
        RECT box = r;
        benchmark::DoNotOptimize(DrawText(dc, text, &box, DT_SINGLELINE));
        benchmark::ClobberMemory();
    }
    DeleteDC(dc);
}
BENCHMARK(BM_DrawTextTahoma27Bold);

static void BM_WordBreakParagraph(benchmark::State& state)
{
    Bitmap bitmap(296, 176);
    HDC dc = CreateBitmapDC(&bitmap);
    LOGFONT lf;
    lf.lfHeight = -13;
    SelectFont(dc, CreateFontIndirect(lf));
    SetBkMode(dc, TRANSPARENT);
    const String text = Utf8ToUtf16(
        "Для нормальной работы программы требуется установленный проигрыватель и свежая версия "
        "браузера. Если видео не показывается, установите оба компонента и перезапустите программу.");
    for (auto _ : state) {
        RECT box = Rect(0, 0, 296, 176);
        benchmark::DoNotOptimize(DrawText(dc, text, &box, DT_WORDBREAK));
        benchmark::ClobberMemory();
    }
    DeleteDC(dc);
}
BENCHMARK(BM_WordBreakParagraph);
