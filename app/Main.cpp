// Process entry: for now a placeholder main window of the program's size on the platform layer.
// The window set, the engine gate and the toolkit's application object replace it as they arrive.
#include "platform/Message.h"
#include "platform/Paint.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/SystemMetrics.h"
#include "platform/Window.h"

#include <cstdio>
#include <exception>

using namespace platform;

namespace {

constexpr int MainClientWidth = 659;
constexpr int MainClientHeight = 533;

LRESULT MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND CreateMainWindow()
{
    WNDCLASS wc;
    wc.lpfnWndProc = MainWindowProc;
    wc.hbrBackground = GetSysColor(COLOR_BTNFACE);
    wc.lpszClassName = u"TForm1";
    RegisterClass(wc);

    // A fixed single border with system menu and minimise box, centred on the work area.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, MainClientWidth, MainClientHeight};
    AdjustWindowRectEx(&frame, style, false, 0);
    RECT work = GetWorkArea();
    int x = work.left + (work.Width() - frame.Width()) / 2;
    int y = work.top + (work.Height() - frame.Height()) / 2;
    return CreateWindowEx(WS_EX_APPWINDOW, wc.lpszClassName, u"Lumo TV Player", style, x, y, frame.Width(),
                          frame.Height(), nullptr, nullptr, nullptr, nullptr);
}

} // namespace

int main()
{
    try {
        InitPlatform();
        HWND main = CreateMainWindow();
        if (!main) {
            std::fputs("lumo-tv-player: the main window could not be created\n", stderr);
            return 1;
        }
        ShowWindow(main, SW_SHOWNORMAL);
        UpdateWindow(main);

        MSG msg{};
        while (GetMessage(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        return int(msg.wParam);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumo-tv-player: %s\n", e.what());
        return 1;
    }
}
