// The main window's filter in the real program: requests of every kind that carry a blocked token
// never reach the network while the same addresses in other capitals do, pop-ups open only for the
// allowed network (whose own advertising is blocked too), and the page's context menu does nothing.
// The pages are served as "Сервер 5"'s address while a test runs.
#include "ProgramOnScreen.h"

#include "../../support/FilterSite.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {

const std::string server5Url = "http://tv.lumo-tv.example/channels/index.html";
constexpr int server5X = 440 + 53, server5Y = 2 + 18;
// Where a point of a page placed at -5, -5 in the content panel lies in the client area.
constexpr int ClientX(int pageX) { return pageX - 5; }
constexpr int ClientY(int pageY) { return 40 + pageY - 5; }

// Left third: a link to the allowed network's pop-up; middle: a pop-up to any other site; right:
// the allowance word in other capitals.
const char* const openerPage = R"html(<!doctype html><html><body style="margin:0">
<a href="http://directadvert.example/popup/pop.html" target="_blank"
   style="position:absolute;left:0;top:0;width:200px;height:460px;background:#00a000;display:block"></a>
<div onclick="window.open('http://tv.example/popup/refused.html')"
   style="position:absolute;left:200px;top:0;width:200px;height:460px;background:#0000ff"></div>
<div onclick="window.open('http://tv.example/popup/DirectAdvert.html')"
   style="position:absolute;left:400px;top:0;width:300px;height:460px;background:#ff0000"></div>
</body></html>)html";

const char* const popupPage = R"html(<!doctype html><html><head><title>pop</title></head>
<body style="background:#ffff00">
<img src="http://directadvert.example/popup/pop-ok.png">
<img src="http://directadvert.example/popup/pop-admixer.png">
<script>window.onload = function() { setTimeout(function() { window.close(); }, 1000); };</script>
</body></html>)html";

class ProgramFilter : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SessionProblem(), ""); }
    void TearDown() override
    {
        gtktest::Xdotool("key Escape");
        Server().Serve("tv.lumo-tv.example/channels/index.html", {"text/html; charset=utf-8", GridPage(0)});
    }

    // Serves page as server 5's address, shows it and waits until colour shows at a page point.
    bool ShowServer5(const std::string& page, int pageX, int pageY, platform::COLORREF colour)
    {
        Server().Serve("tv.lumo-tv.example/channels/index.html", {"text/html; charset=utf-8", page});
        int before = Server().Count(server5Url);
        ClickAt(server5X, server5Y);
        if (!gtktest::PumpUntil([&] { return Server().Count(server5Url) > before; }))
            return false;
        platform::POINT p = ClientToScreen(ClientX(pageX), ClientY(pageY));
        return gtktest::PumpUntil([&] { return gtktest::ScreenPixel(p.x, p.y) == colour; });
    }

    void RealClick(int pageX, int pageY, int button)
    {
        platform::POINT p = ClientToScreen(ClientX(pageX), ClientY(pageY));
        gtktest::Xdotool("mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y) + " click " +
                         std::to_string(button));
    }
};

} // namespace

TEST_F(ProgramFilter, RequestsOfEveryKindHoldingATokenNeverReachTheNetworkAndOtherCapitalsDo)
{
    e2e::ServeFilterSite(Server());
    ASSERT_TRUE(ShowServer5(e2e::filterPage, 300, 300, platform::RGB(0, 160, 0))) << Server().LogText();
    auto settled = [] {
        for (const e2e::Expectation& e : e2e::filterExpectations)
            if (!e.cancelled && std::string(e.kind) != "main document" && Server().Count(e.url) == 0)
                return false;
        return true;
    };
    EXPECT_TRUE(gtktest::PumpUntil(settled, 20000)) << Server().LogText();
    gtktest::Pump(500);
    for (const e2e::Expectation& e : e2e::filterExpectations) {
        if (std::string(e.kind) == "main document")
            continue;
        if (e.cancelled)
            EXPECT_EQ(Server().Count(e.url), 0) << e.kind << " carries a token but was fetched: " << e.url;
        else
            EXPECT_GE(Server().Count(e.url), 1) << e.kind << " was not fetched: " << e.url;
    }
}

TEST_F(ProgramFilter, OnlyTheAllowedNetworksPopupOpensAndItsOwnAdvertisingIsBlocked)
{
    e2e::ProxyServer& s = Server();
    s.Serve("tv.example/popup/refused.html", {"text/html", popupPage});
    s.Serve("tv.example/popup/DirectAdvert.html", {"text/html", popupPage});
    s.Serve("directadvert.example/popup/pop.html", {"text/html", popupPage});
    s.Serve("directadvert.example/popup/pop-ok.png", {"image/png", e2e::TinyPng()});
    s.Serve("directadvert.example/popup/pop-admixer.png", {"image/png", e2e::TinyPng()});
    ASSERT_TRUE(ShowServer5(openerPage, 100, 200, platform::RGB(0, 160, 0)));
    ASSERT_TRUE(gtktest::PumpUntil([&] {
        platform::POINT p = ClientToScreen(ClientX(500), ClientY(200));
        return gtktest::ScreenPixel(p.x, p.y) == platform::RGB(255, 0, 0);
    }));

    RealClick(300, 200, 1);
    RealClick(550, 200, 1);
    gtktest::Pump(1500);
    EXPECT_EQ(s.CountContaining("refused.html"), 0) << s.LogText();
    EXPECT_EQ(s.CountContaining("DirectAdvert.html"), 0) << s.LogText();

    RealClick(100, 200, 1);
    EXPECT_TRUE(gtktest::PumpUntil([&] { return s.Count("http://directadvert.example/popup/pop-ok.png") > 0; }))
        << s.LogText();
    gtktest::Pump(500);
    EXPECT_EQ(s.Count("http://directadvert.example/popup/pop.html"), 1);
    EXPECT_EQ(s.CountContaining("pop-admixer"), 0) << s.LogText();
    // The pop-up was a window of its own beside the main window, and closes itself.
    EXPECT_TRUE(gtktest::PumpUntil([] { return gtktest::Xdotool("search --onlyvisible --name '^pop$'") != 0; }, 10000));
}

TEST_F(ProgramFilter, AContextMenuCommandDoesNothing)
{
    // A page to go back to, then the filter page; the menu's first item would go back.
    int before = Server().Count("http://tv.lumo-tv.example/channels/index3.html");
    ClickAt(111 + 53, 2 + 18);
    ASSERT_TRUE(gtktest::PumpUntil([&] { return Server().Count("http://tv.lumo-tv.example/channels/index3.html") > before; }));
    e2e::ServeFilterSite(Server());
    ASSERT_TRUE(ShowServer5(e2e::filterPage, 300, 300, platform::RGB(0, 160, 0)));
    int fetched = Server().Count(server5Url);

    RealClick(300, 300, 3);
    gtktest::Pump(600); // the menu maps and takes the keyboard
    // The menu itself still opens, over the page beside the mouse.
    platform::POINT menu = ClientToScreen(ClientX(300) + 30, ClientY(300) + 10);
    EXPECT_NE(gtktest::ScreenPixel(menu.x, menu.y), platform::RGB(0, 160, 0)) << "no context menu opened";
    gtktest::Xdotool("key Down");
    gtktest::Pump(200);
    gtktest::Xdotool("key Return");
    gtktest::Pump(1500);
    platform::POINT p = ClientToScreen(ClientX(300), ClientY(300));
    EXPECT_EQ(gtktest::ScreenPixel(p.x, p.y), platform::RGB(0, 160, 0)) << "the page went away";
    EXPECT_EQ(Server().Count(server5Url), fetched);
}
