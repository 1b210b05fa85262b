// A window of the program's size with 30 child windows: invalidate everything, paint every window
// (each child fills its client area) and compose the screen.
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <benchmark/benchmark.h>

namespace {

using namespace platform;

LRESULT FillingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillSolidRect(dc, r, RGB(40, 90 + GetDlgCtrlID(hwnd) * 4, 160));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void BM_PaintAndComposeWindowWith30Children(benchmark::State& state)
{
    headless::Reset();
    WNDCLASS wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = RGB(236, 233, 216);
    wc.lpszClassName = u"BenchForm";
    RegisterClass(wc);
    wc.lpfnWndProc = FillingProc;
    wc.lpszClassName = u"BenchControl";
    RegisterClass(wc);
    HWND form = CreateWindowEx(0, u"BenchForm", u"Lumo TV Player", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                               WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE, 100, 100, 665, 560, nullptr, nullptr,
                               nullptr, nullptr);
    for (int i = 0; i < 30; ++i)
        CreateWindowEx(0, u"BenchControl", u"", WS_CHILD | WS_VISIBLE, 8 + (i % 6) * 108, 8 + (i / 6) * 100, 100, 92,
                       form, reinterpret_cast<HMENU>(std::uintptr_t(i + 1)), nullptr, nullptr);
    headless::ProcessMessages();
    for (auto _ : state) {
        RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        int dispatched = headless::ProcessMessages();
        benchmark::DoNotOptimize(dispatched);
    }
    headless::Reset();
}
BENCHMARK(BM_PaintAndComposeWindowWith30Children)->Unit(benchmark::kMicrosecond);

} // namespace
