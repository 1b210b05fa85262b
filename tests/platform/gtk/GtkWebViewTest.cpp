// The system web view on a private X server: pages come from a tiny HTTP server of the test on
// 127.0.0.1, reached through the http_proxy the view takes from the environment; the WH_MOUSE hook
// sees the view's presses and can keep the right button from the page; a host partly outside its
// parent shows only the part inside.
#include "GtkTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <set>

namespace gtktest {
namespace {

// Answers every request, as a proxy or as the site itself, with the page for its path; every path
// asked for is remembered.
class PageServer {
public:
    static PageServer& Instance()
    {
        static PageServer server;
        return server;
    }

    int Port() const { return port_; }

    bool Asked(const std::string& path)
    {
        std::lock_guard lock(mutex_);
        return paths_.count(path) != 0;
    }

    ~PageServer()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (listener_ >= 0)
            ::close(listener_);
    }

private:
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::set<std::string> paths_;

    PageServer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }

    static std::string Page(const std::string& path)
    {
        if (path == "/green")
            return "<html><body style='margin:0;background:#00a000'></body></html>";
        if (path == "/clicks")
            return "<html><body style='margin:0;background:#0000ff;height:100vh'>"
                   "<script>"
                   "document.addEventListener('contextmenu', function(e) { fetch('/contextmenu'); });"
                   "document.addEventListener('mousedown', function(e) { fetch('/down' + e.button); });"
                   "document.addEventListener('click', function(e) { fetch('/click'); });"
                   "</script></body></html>";
        if (path == "/input")
            return "<html><body style='margin:0;background:#0000ff'>"
                   "<input id='field' oninput=\"fetch('/typed/' + this.value)\">"
                   "<script>document.getElementById('field').focus();</script></body></html>";
        return "";
    }

    void Serve()
    {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                continue;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                pollfd c{client, POLLIN, 0};
                if (::poll(&c, 1, 2000) <= 0)
                    break;
                ssize_t n = ::read(client, buffer, sizeof buffer);
                if (n <= 0)
                    break;
                request.append(buffer, size_t(n));
            }
            // "GET http://site/path HTTP/1.1" through the proxy, "GET /path HTTP/1.1" directly.
            std::string target;
            size_t space = request.find(' ');
            if (space != std::string::npos)
                target = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
            if (size_t scheme = target.find("://"); scheme != std::string::npos) {
                size_t slash = target.find('/', scheme + 3);
                target = slash == std::string::npos ? "/" : target.substr(slash);
            }
            {
                std::lock_guard lock(mutex_);
                paths_.insert(target);
            }
            std::string body = Page(target);
            std::string status = body.empty() && target != "/" ? "404 Not Found" : "200 OK";
            std::string answer = "HTTP/1.1 " + status +
                                 "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                                 "Connection: close\r\nContent-Length: " +
                                 std::to_string(body.size()) + "\r\n\r\n" + body;
            size_t sent = 0;
            while (sent < answer.size()) {
                ssize_t n = ::write(client, answer.data() + sent, answer.size() - sent);
                if (n <= 0)
                    break;
                sent += size_t(n);
            }
            ::close(client);
        }
    }
};

struct HookCall {
    UINT message;
    POINT pt;
    HWND hwnd;
};
std::vector<HookCall> gHookCalls;
HHOOK gHook = nullptr;

LRESULT RightButtonHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* mhs = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    UINT message = UINT(wParam);
    gHookCalls.push_back(HookCall{message, mhs->pt, mhs->hwnd});
    if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_RBUTTONDBLCLK)
        return 1;
    return CallNextHookEx(gHook, code, wParam, lParam);
}

class GtkWebViewTest : public GtkTest {
protected:
    void SetUp() override
    {
        PageServer& server = PageServer::Instance();
        ASSERT_GT(server.Port(), 0);
        // Every site is served by the test's own server.
        std::string proxy = "http://127.0.0.1:" + std::to_string(server.Port());
        ::setenv("http_proxy", proxy.c_str(), 1);
        ::unsetenv("no_proxy");
        ::unsetenv("NO_PROXY");
        GtkTest::SetUp();
        gHookCalls.clear();
    }

    void TearDown() override
    {
        if (gHook)
            UnhookWindowsHookEx(gHook);
        gHook = nullptr;
        GtkTest::TearDown();
    }

    // A grey top-level at (100, 100) with a web view child at view (client coordinates).
    HWND Browser(RECT view, HWND* top)
    {
        *top = MakeWindow(u"Grey", RECT{100, 100, 500, 400});
        return MakeWindow(WEBVIEW_CLASS, view, WS_CHILD | WS_VISIBLE, 0, *top);
    }
};

TEST_F(GtkWebViewTest, AWebViewLoadsAPageThroughTheProxyGivenByTheEnvironment)
{
    HWND top = nullptr;
    HWND view = Browser(RECT{20, 20, 320, 220}, &top);
    ASSERT_TRUE(view);
    EXPECT_TRUE(GetNativeChildContainer(view));
    EXPECT_FALSE(GetNativeChildContainer(top));
    // No scheme: an http address, asked of the proxy.
    ASSERT_TRUE(Navigate(view, u"pages.example/green"));
    EXPECT_EQ(WebViewAddress(view), u"http://pages.example/green");
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(270, 220) == RGB(0, 160, 0); }, 30000));
    EXPECT_TRUE(PageServer::Instance().Asked("/green"));
    // Outside the view the window's own picture shows.
    EXPECT_EQ(ScreenPixel(110, 110), RGB(128, 128, 128));

    // The view follows its host: moved, then hidden.
    SetWindowPos(view, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(125, 125) == RGB(128, 128, 128); }));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(400, 350) == RGB(0, 160, 0); }));
    ShowWindow(view, SW_HIDE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(300, 300) == RGB(128, 128, 128); }));
    ShowWindow(view, SW_SHOWNA);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(300, 300) == RGB(0, 160, 0); }));
    // Moving the top-level carries the view along.
    SetWindowPos(top, nullptr, 700, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(900, 300) == RGB(0, 160, 0); }));
    DestroyWindow(view);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(900, 300) == RGB(128, 128, 128); }));
}

TEST_F(GtkWebViewTest, AMouseHookSwallowsTheRightButtonWhileTheLeftButtonReachesThePage)
{
    HWND top = nullptr;
    HWND view = Browser(RECT{20, 20, 320, 220}, &top);
    ASSERT_TRUE(view);
    gHook = SetWindowsHookEx(WH_MOUSE, RightButtonHook, nullptr, 0);
    ASSERT_TRUE(gHook);
    ASSERT_TRUE(Navigate(view, u"http://pages.example/clicks"));
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(270, 220) == RGB(0, 0, 255); }, 30000));
    Pump(300);

    ASSERT_EQ(Xdotool("mousemove 270 220 click 3"), 0);
    Pump(800); // longer than the double-click time
    ASSERT_EQ(Xdotool("click --repeat 2 --delay 80 3"), 0); // a double click of the right button
    Pump(300);
    ASSERT_EQ(Xdotool("click 1"), 0);
    ASSERT_TRUE(PumpUntil([] { return PageServer::Instance().Asked("/click"); }, 15000));
    EXPECT_TRUE(PageServer::Instance().Asked("/down0"));
    EXPECT_FALSE(PageServer::Instance().Asked("/contextmenu"));
    EXPECT_FALSE(PageServer::Instance().Asked("/down2"));

    std::vector<UINT> right;
    for (const HookCall& c : gHookCalls) {
        if (c.message == WM_RBUTTONDOWN || c.message == WM_RBUTTONUP || c.message == WM_RBUTTONDBLCLK) {
            right.push_back(c.message);
            EXPECT_EQ(c.hwnd, view);
            EXPECT_EQ(c.pt.x, 270);
            EXPECT_EQ(c.pt.y, 220);
        }
    }
    std::vector<UINT> expected{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK,
                               WM_RBUTTONUP};
    EXPECT_EQ(right, expected);
    bool left = false;
    for (const HookCall& c : gHookCalls)
        left = left || (c.message == WM_LBUTTONDOWN && c.hwnd == view);
    EXPECT_TRUE(left);
}

TEST_F(GtkWebViewTest, FocusGivenToTheHostSendsTheKeysToTheViewUntilTheFocusLeavesIt)
{
    HWND top = nullptr;
    HWND view = Browser(RECT{20, 20, 320, 220}, &top);
    ASSERT_TRUE(view);
    ASSERT_TRUE(Navigate(view, u"pages.example/input"));
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(270, 300) == RGB(0, 0, 255); }, 30000));
    SetFocus(view);
    Pump(300);
    ASSERT_EQ(Xdotool("type --delay 50 ab"), 0);
    EXPECT_TRUE(PumpUntil([] { return PageServer::Instance().Asked("/typed/ab"); }));

    SetFocus(top);
    Pump(200);
    ASSERT_EQ(Xdotool("type c"), 0);
    EXPECT_TRUE(PumpUntil([&] {
        for (const Entry& e : gLog)
            if (e.hwnd == top && e.msg == WM_CHAR && e.wParam == 'c')
                return true;
        return false;
    }));
    Pump(200);
    EXPECT_FALSE(PageServer::Instance().Asked("/typed/abc"));
}

TEST_F(GtkWebViewTest, AHostPartlyOutsideItsParentShowsItsViewClippedToTheParent)
{
    HWND top = MakeWindow(u"Grey", RECT{100, 100, 500, 400});
    // The panel's client area lies at screen (150, 150)-(350, 300).
    HWND panel = MakeWindow(u"Yellow", RECT{50, 50, 250, 200}, WS_CHILD | WS_VISIBLE, 0, top);
    HWND view = MakeWindow(WEBVIEW_CLASS, RECT{-40, -30, 160, 120}, WS_CHILD | WS_VISIBLE, 0, panel);
    ASSERT_TRUE(top && panel && view);
    ASSERT_TRUE(Navigate(view, u"pages.example/green"));
    ASSERT_TRUE(PumpUntil([] { return ScreenPixel(200, 200) == RGB(0, 160, 0); }, 30000));
    Pump(300);
    Bitmap shot = gtk::GrabScreen(RECT{100, 100, 500, 400});
    ASSERT_FALSE(shot.IsEmpty());
    // Green exactly where the view and the panel overlap: screen (150, 150)-(310, 270).
    int wrong = 0;
    for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
            int sx = x + 100, sy = y + 100;
            bool inView = sx >= 150 && sx < 310 && sy >= 150 && sy < 270;
            bool inPanel = sx >= 150 && sx < 350 && sy >= 150 && sy < 300;
            COLORREF want = inView ? RGB(0, 160, 0) : inPanel ? RGB(255, 255, 0) : RGB(128, 128, 128);
            if (PixelToColor(shot.Pixel(x, y)) != want)
                ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);

    // Moving the panel moves the view with it, clipped the same way.
    SetWindowPos(panel, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(155, 155) == RGB(128, 128, 128); }));
    EXPECT_TRUE(PumpUntil([] { return ScreenPixel(205, 205) == RGB(0, 160, 0) && ScreenPixel(355, 305) == RGB(0, 160, 0); }));
    EXPECT_EQ(ScreenPixel(365, 325), RGB(255, 255, 0));
}

} // namespace
} // namespace gtktest
