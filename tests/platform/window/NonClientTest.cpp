// The default frame: hit-testing, dragging by the caption, caption buttons, and the program's
// screenshot mode.
#include "WindowTestSupport.h"

#include "platform/image/Image.h"
#include "platform/core/Platform.h"

#include <cstdlib>
#include <filesystem>

namespace windowtest {
namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;

class NonClientTest : public WindowTest {
protected:
    HWND Framed(RECT r)
    {
        return CreateWindowEx(0, u"Test", u"Окно", kFrameStyle, r.left, r.top, r.Width(), r.Height(), nullptr,
                              nullptr, nullptr, nullptr);
    }

    // A caption button's centre in screen coordinates.
    static POINT ButtonCentre(HWND h, LRESULT button)
    {
        RECT wr;
        GetWindowRect(h, &wr);
        FrameInfo info;
        info.style = DWORD(GetWindowLongPtr(h, GWL_STYLE));
        info.exStyle = DWORD(GetWindowLongPtr(h, GWL_EXSTYLE));
        info.windowRect = wr;
        RECT b = DefaultFrame(info).ButtonRect(button);
        EXPECT_FALSE(b.IsEmpty());
        return POINT{wr.left + (b.left + b.right) / 2, wr.top + (b.top + b.bottom) / 2};
    }

    static POINT TitlePoint(HWND h)
    {
        RECT wr;
        GetWindowRect(h, &wr);
        FrameInfo info;
        info.style = DWORD(GetWindowLongPtr(h, GWL_STYLE));
        info.windowRect = wr;
        RECT t = DefaultFrame(info).TitleTextRect();
        return POINT{wr.left + t.left + 5, wr.top + (t.top + t.bottom) / 2};
    }
};

TEST_F(NonClientTest, FrameGivesTheClientAreaAndHitCodes)
{
    HWND h = Framed(Bounds(100, 100, 300, 200));
    RECT client;
    GetClientRect(h, &client);
    EXPECT_LT(client.Width(), 300);
    EXPECT_LT(client.Height(), 200);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_GT(origin.y, 100);
    POINT title = TitlePoint(h);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTCAPTION);
    POINT close = ButtonCentre(h, HTCLOSE);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(origin.x + 5, origin.y + 5)), HTCLIENT);
    RECT adjusted = Bounds(0, 0, client.Width(), client.Height());
    AdjustWindowRectEx(&adjusted, kFrameStyle, false, 0);
    EXPECT_EQ(adjusted.Width(), 300);
    EXPECT_EQ(adjusted.Height(), 200);
}

TEST_F(NonClientTest, DraggingTheCaptionMovesTheWindow)
{
    HWND h = Framed(Bounds(100, 100, 300, 200));
    headless::ProcessMessages();
    POINT p = TitlePoint(h);
    gLog.clear();
    headless::MouseMove(p);
    headless::MouseDown(p);
    headless::ProcessMessages();
    EXPECT_EQ(GetCapture(), h);
    headless::MouseMove(POINT{p.x + 20, p.y + 5});
    headless::ProcessMessages();
    headless::MouseMove(POINT{p.x + 50, p.y + 30});
    headless::MouseUp(POINT{p.x + 50, p.y + 30});
    headless::ProcessMessages();
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, Bounds(150, 130, 300, 200));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Count(h, WM_ENTERSIZEMOVE), 1);
    EXPECT_EQ(Count(h, WM_EXITSIZEMOVE), 1);
    EXPECT_GE(Count(h, WM_MOVE), 2);
    EXPECT_EQ(Count(h, WM_LBUTTONUP), 0); // the drag took the mouse
    EXPECT_EQ(Last(h, WM_SYSCOMMAND)->wParam, SC_MOVE | HTCAPTION);
    // The screen shows the window at its new place.
    Bitmap shot = headless::WindowShot(h);
    EXPECT_EQ(headless::Screenshot().Pixel(150 + 150, 130 + 100) | 0xFF000000u, shot.Pixel(150, 100) | 0xFF000000u);
}

TEST_F(NonClientTest, CloseButtonClosesOnlyWhenReleasedOverIt)
{
    HWND h = Framed(Bounds(100, 100, 300, 200));
    headless::ProcessMessages();
    POINT close = ButtonCentre(h, HTCLOSE);

    headless::MouseMove(close);
    headless::MouseDown(close);
    headless::MouseMove(POINT{close.x - 100, close.y + 60});
    headless::MouseUp(POINT{close.x - 100, close.y + 60});
    headless::ProcessMessages();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(Count(h, WM_SYSCOMMAND), 0);
    EXPECT_EQ(GetCapture(), nullptr);

    headless::Click(close);
    headless::ProcessMessages();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(MessagesOf(h, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(gLog[0].hwnd, h);
}

TEST_F(NonClientTest, ACloseHandlerMayJustHide)
{
    HWND h = Framed(Bounds(100, 100, 300, 200));
    gHandler = [](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CLOSE) {
            ShowWindow(hwnd, SW_HIDE);
            return 0;
        }
        return std::nullopt;
    };
    headless::ProcessMessages();
    headless::Click(ButtonCentre(h, HTCLOSE));
    headless::ProcessMessages();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(NonClientTest, MinimiseButtonMinimises)
{
    HWND h = Framed(Bounds(100, 100, 300, 200));
    headless::ProcessMessages();
    headless::Click(ButtonCentre(h, HTMINBUTTON));
    headless::ProcessMessages();
    EXPECT_TRUE(IsIconic(h));
    EXPECT_EQ(Last(h, WM_SYSCOMMAND)->wParam, SC_MINIMIZE);
}

TEST_F(NonClientTest, ScreenshotModeWritesThePictureAndEndsTheLoop)
{
    auto path = std::filesystem::path(LUMO_BINARY_DIR) / "tests" / "window-screenshot.png";
    std::filesystem::remove(path);
    InitPlatform(PlatformOptions{.screenshotPath = path.string()});
    WNDCLASS wc;
    wc.lpfnWndProc = TestProc;
    wc.hbrBackground = RGB(0, 128, 0);
    wc.lpszClassName = u"Green";
    RegisterClass(wc);
    HWND h = CreateWindowEx(0, u"Green", u"Снимок", WS_POPUP | WS_VISIBLE, 40, 30, 60, 50, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_TRUE(h);
    MSG msg;
    int guard = 0;
    while (GetMessage(&msg, nullptr, 0, 0) && ++guard < 1000)
        DispatchMessage(&msg);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, 0u);
    ASSERT_TRUE(std::filesystem::exists(path));
    DecodedImage image = LoadImageFile(path.string());
    ASSERT_EQ(image.bitmap.Width(), 1280);
    EXPECT_EQ(image.bitmap.Pixel(50, 40) | 0xFF000000u, ColorToPixel(RGB(0, 128, 0)));
    EXPECT_EQ(image.bitmap.Pixel(5, 5) | 0xFF000000u, ColorToPixel(headless::Current().DesktopColor()));
    std::filesystem::remove(path);
}

} // namespace
} // namespace windowtest
