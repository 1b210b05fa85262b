// Presenting a window on a real X display: the full picture of the main window's size handed to
// the GTK backend after a change, until the X server has drawn it. It starts its own virtual
// display (Xvfb), so it runs on a machine without one too.
#include "tests/platform/gtk/VirtualDisplay.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Platform.h"

#include <benchmark/benchmark.h>

namespace {

using namespace platform;

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

Bitmap Picture(int width, int height, BYTE seed)
{
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakePixel(BYTE(x + seed), BYTE(y * 3 + seed), BYTE((x ^ y) + seed)));
    return b;
}

void BM_GtkPresentFullWindow(benchmark::State& state)
{
    gtktest::VirtualDisplay& display = gtktest::VirtualDisplay::Instance();
    if (!display.Running()) {
        state.SkipWithError(display.Error().c_str());
        return;
    }
    std::unique_ptr<Backend> backend = CreateGtkBackend();
    if (!backend) {
        state.SkipWithError("GTK cannot open the virtual display");
        return;
    }
    InitPlatform(PlatformOptions{.backend = std::move(backend)});
    WNDCLASS wc;
    wc.lpfnWndProc = PlainProc;
    wc.hbrBackground = RGB(240, 240, 240);
    wc.lpszClassName = u"BenchPresent";
    RegisterClass(wc);
    constexpr int width = 659, height = 533;
    HWND h = CreateWindowEx(0, u"BenchPresent", u"", WS_POPUP | WS_VISIBLE, 100, 100, width, height, nullptr,
                            nullptr, nullptr, nullptr);
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
        gtk::Sync();
    }
    Bitmap pictures[2] = {Picture(width, height, 0), Picture(width, height, 77)};
    Backend& b = GetBackend();
    const RECT full{0, 0, width, height};
    int i = 0;
    for (auto _ : state) {
        b.PresentSurface(h, pictures[i++ & 1], full);
        gtk::Sync();
    }
    headless::Reset();
}
BENCHMARK(BM_GtkPresentFullWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
