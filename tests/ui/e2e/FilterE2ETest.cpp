// The main window's filter in the real program: requests of every kind that carry a blocked token
// never reach the network while the same addresses in other capitals do, pop-ups open only for the
// allowed network (whose own advertising is blocked too), and the page's context menu does nothing.
// The pages are served as "Сервер 5"'s address while a test runs.
#include "ProgramOnScreen.h"

#include "../../support/FilterSite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

using namespace programtest;

namespace {

const std::string server5Url = "http://tv.lumo-tv.example/channels/index.html";
constexpr int server5X = 440 + 53, server5Y = 2 + 18;
// Where a point of a page placed at -5, -5 in the content panel lies in the client area.
constexpr int ClientX(int pageX) { return pageX - 5; }
constexpr int ClientY(int pageY) { return 40 + pageY - 5; }

// Top row: left, a link to the allowed network's pop-up; middle, a pop-up to any other site;
// right, the allowance word in other capitals. Bottom row: left, a pop-up with an empty target and
// middle, one with none at all, each telling the proxy whether a window came; right, the allowed
// network's pop-up whose menu the test tries.
const char* const openerPage = R"html(<!doctype html><html><body style="margin:0">
<a href="http://directadvert.example/popup/pop.html" target="_blank"
   style="position:absolute;left:0;top:0;width:200px;height:230px;background:#00a000;display:block"></a>
<div onclick="window.open('http://tv.example/popup/refused.html')"
   style="position:absolute;left:200px;top:0;width:200px;height:230px;background:#0000ff"></div>
<div onclick="window.open('http://tv.example/popup/DirectAdvert.html')"
   style="position:absolute;left:400px;top:0;width:300px;height:230px;background:#ff0000"></div>
<div onclick="var w = window.open(''); fetch('http://tv.example/popup/empty-target-' + (w ? 'opened' : 'refused'))"
   style="position:absolute;left:0;top:230px;width:200px;height:230px;background:#a000a0"></div>
<div onclick="var w = window.open(); fetch('http://tv.example/popup/no-target-' + (w ? 'opened' : 'refused'))"
   style="position:absolute;left:200px;top:230px;width:200px;height:230px;background:#00a0a0"></div>
<div onclick="window.open('http://directadvert.example/popup/menu-first.html', 'menu', 'width=300,height=200')"
   style="position:absolute;left:400px;top:230px;width:300px;height:230px;background:#a0a000"></div>
</body></html>)html";

// The pop-up for the menu: its first page goes on to a second at once, so that "Back" would have
// somewhere to go; a left click closes it (it was opened by a script, so it may).
const char* const menuPopupFirst = R"html(<!doctype html><html><head><title>popmenu</title></head>
<body style="margin:0;background:#ff00ff">
<script>window.onload = function() {
  setTimeout(function() { location.href = 'http://directadvert.example/popup/menu-second.html'; }, 100);
};</script>
</body></html>)html";
const char* const menuPopupSecond = R"html(<!doctype html><html><head><title>popmenu</title></head>
<body style="margin:0;background:#ffff00;height:100vh" onclick="window.close()">
<img src="http://directadvert.example/popup/menu-ok.png">
<img src="http://directadvert.example/popup/menu-traforet.png">
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

    // Opens the page's context menu at a screen point over an area of one colour, waits until the
    // menu shows beside the pointer, then picks the item so many steps down.
    static bool PickMenuItem(platform::POINT at, platform::COLORREF area, int steps)
    {
        // No --sync: it waits for a motion that never comes when the pointer is there already.
        gtktest::Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 3");
        if (!gtktest::PumpUntil([&] { return gtktest::ScreenPixel(at.x + 30, at.y + 10) != area; }, 5000))
            return false;
        for (int i = 0; i < steps; ++i) {
            gtktest::Xdotool("key Down");
            gtktest::Pump(100);
        }
        gtktest::Xdotool("key Return");
        return true;
    }
};

// Visible windows on the display with a title.
int VisibleWindows()
{
    std::string ids = Capture("xdotool search --onlyvisible --name '.' 2>/dev/null");
    return int(std::count(ids.begin(), ids.end(), '\n'));
}

} // namespace

// Beside the shared filter page: workers, whose scripts and requests no frame's document makes, and
// video. A worker's script must come from the page's own site.
const char* const workerAndVideoMarkup = R"html(
<video src="http://tv.example/filter/clip.mp4" preload="auto"></video>
<video preload="auto"><source src="http://tv.example/filter/advmaker/clip.mp4" type="video/mp4"></video>
<script>
new Worker('http://tv.lumo-tv.example/channels/worker.js');
new Worker('http://tv.lumo-tv.example/channels/worker-beseed.js');
</script>)html";

const e2e::Expectation workerAndVideoExpectations[] = {
    {"video", "http://tv.example/filter/clip.mp4", false},
    {"video source", "http://tv.example/filter/advmaker/clip.mp4", true},
    {"worker script", "http://tv.lumo-tv.example/channels/worker.js", false},
    {"worker script", "http://tv.lumo-tv.example/channels/worker-beseed.js", true},
    {"fetch of a worker", "http://tv.example/filter/from-worker.txt", false},
    {"fetch of a worker", "http://tv.example/filter/from-worker-adwise.txt", true},
};

TEST_F(ProgramFilter, RequestsOfEveryKindHoldingATokenNeverReachTheNetworkAndOtherCapitalsDo)
{
    e2e::ProxyServer& s = Server();
    e2e::ServeFilterSite(s);
    const std::string worker = "fetch('http://tv.example/filter/from-worker.txt');"
                               "fetch('http://tv.example/filter/from-worker-adwise.txt').catch(function() {});";
    s.Serve("tv.lumo-tv.example/channels/worker.js", {"application/javascript", worker});
    s.Serve("tv.lumo-tv.example/channels/worker-beseed.js", {"application/javascript", worker});
    for (const char* text : {"tv.example/filter/from-worker.txt", "tv.example/filter/from-worker-adwise.txt"})
        s.Serve(text, {"text/plain", "text"});
    for (const char* clip : {"tv.example/filter/clip.mp4", "tv.example/filter/advmaker/clip.mp4"})
        s.Serve(clip, {"video/mp4", e2e::TinyWav()});
    std::string page = e2e::filterPage;
    page.insert(page.rfind("</body>"), workerAndVideoMarkup);

    std::vector<e2e::Expectation> expectations;
    for (const e2e::Expectation& e : e2e::filterExpectations)
        if (std::string(e.kind) != "main document")
            expectations.push_back(e);
    expectations.insert(expectations.end(), std::begin(workerAndVideoExpectations), std::end(workerAndVideoExpectations));

    ASSERT_TRUE(ShowServer5(page, 300, 300, platform::RGB(0, 160, 0))) << s.LogText();
    auto settled = [&] {
        for (const e2e::Expectation& e : expectations)
            if (!e.cancelled && s.Count(e.url) == 0)
                return false;
        return true;
    };
    EXPECT_TRUE(gtktest::PumpUntil(settled, 20000)) << s.LogText();
    // The cancelled ones get the same time and a little more.
    gtktest::Pump(500);
    for (const e2e::Expectation& e : expectations) {
        if (e.cancelled)
            EXPECT_EQ(s.Count(e.url), 0) << e.kind << " carries a token but was fetched: " << e.url;
        else
            EXPECT_GE(s.Count(e.url), 1) << e.kind << " was not fetched: " << e.url;
    }
}

// A document whose own address holds a token: a link to it and a script's navigation go nowhere and
// the page stays, while the same link in capitals loads.
const char* const documentPage = R"html(<!doctype html><html><body style="margin:0">
<a href="http://tv.example/doc/rmbn-news.html"
   onclick="setTimeout(function() { fetch('http://tv.example/doc/still-here-after-link'); }, 800)"
   style="position:absolute;left:0;top:0;width:230px;height:460px;background:#0000ff;display:block"></a>
<div onclick="location.href = 'http://tv.example/doc/page.html?from=am14';
              setTimeout(function() { fetch('http://tv.example/doc/still-here-after-script'); }, 800)"
   style="position:absolute;left:230px;top:0;width:230px;height:460px;background:#0000a0"></div>
<a href="http://tv.example/doc/RMBN-news.html"
   style="position:absolute;left:460px;top:0;width:240px;height:460px;background:#00a0a0;display:block"></a>
</body></html>)html";

TEST_F(ProgramFilter, ADocumentWhoseAddressHoldsATokenNeverLoadsAndThePageStays)
{
    e2e::ProxyServer& s = Server();
    for (const char* doc : {"tv.example/doc/rmbn-news.html", "tv.example/doc/page.html", "tv.example/doc/RMBN-news.html"})
        s.Serve(doc, {"text/html", "<html><body style='background:#ffff00'></body></html>"});
    s.ServePrefix("tv.example/doc/still-here", [](const std::string&) { return e2e::Resource{"text/plain", "yes"}; });
    ASSERT_TRUE(ShowServer5(documentPage, 100, 200, platform::RGB(0, 0, 255)));
    platform::POINT left = ClientToScreen(ClientX(100), ClientY(200));
    platform::POINT middle = ClientToScreen(ClientX(340), ClientY(200));

    // The page tells the proxy it is still there once it would have been replaced.
    RealClick(100, 200, 1);
    EXPECT_TRUE(gtktest::PumpUntil([&] { return s.Count("http://tv.example/doc/still-here-after-link") > 0; }, 10000))
        << "the page went away after the link; the proxy saw:\n" << s.LogText();
    EXPECT_EQ(s.CountContaining("rmbn-news.html"), 0) << s.LogText();
    EXPECT_EQ(gtktest::ScreenPixel(left.x, left.y), platform::RGB(0, 0, 255));

    RealClick(340, 200, 1);
    EXPECT_TRUE(gtktest::PumpUntil([&] { return s.Count("http://tv.example/doc/still-here-after-script") > 0; }, 10000))
        << "the page went away after the script's navigation; the proxy saw:\n" << s.LogText();
    EXPECT_EQ(s.CountContaining("/doc/page.html"), 0) << s.LogText();
    EXPECT_EQ(gtktest::ScreenPixel(middle.x, middle.y), platform::RGB(0, 0, 160));

    // The same kind of link without the token in its own case does leave the page.
    RealClick(580, 200, 1);
    EXPECT_TRUE(gtktest::PumpUntil([&] { return s.Count("http://tv.example/doc/RMBN-news.html") > 0; }, 10000))
        << s.LogText();
    EXPECT_TRUE(gtktest::PumpUntil([&] { return gtktest::ScreenPixel(left.x, left.y) == platform::RGB(255, 255, 0); }));
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

    int windows = VisibleWindows();
    RealClick(300, 200, 1);
    RealClick(550, 200, 1);
    // Pop-ups with an empty target and with none: the page reports whether it got a window, and
    // its reports come after the refused pop-ups above had their chance.
    s.ServePrefix("tv.example/popup/empty-target-", [](const std::string&) { return e2e::Resource{"text/plain", "ok"}; });
    s.ServePrefix("tv.example/popup/no-target-", [](const std::string&) { return e2e::Resource{"text/plain", "ok"}; });
    RealClick(100, 330, 1);
    RealClick(300, 330, 1);
    EXPECT_TRUE(gtktest::PumpUntil([&] {
        return s.CountContaining("/popup/empty-target-") > 0 && s.CountContaining("/popup/no-target-") > 0;
    })) << s.LogText();
    gtktest::Pump(300);
    EXPECT_EQ(s.Count("http://tv.example/popup/empty-target-refused"), 1) << s.LogText();
    EXPECT_EQ(s.Count("http://tv.example/popup/no-target-refused"), 1) << s.LogText();
    EXPECT_EQ(VisibleWindows(), windows) << "a window appeared";
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

TEST_F(ProgramFilter, InTheAllowedPopupTheMenuCommandsDoNothingAndItsAdvertisingIsBlocked)
{
    e2e::ProxyServer& s = Server();
    s.Serve("directadvert.example/popup/menu-first.html", {"text/html", menuPopupFirst});
    s.Serve("directadvert.example/popup/menu-second.html", {"text/html", menuPopupSecond});
    for (const char* png : {"directadvert.example/popup/menu-ok.png", "directadvert.example/popup/menu-traforet.png"})
        s.Serve(png, {"image/png", e2e::TinyPng()});
    ASSERT_TRUE(ShowServer5(openerPage, 550, 330, platform::RGB(160, 160, 0)));

    RealClick(550, 330, 1);
    ASSERT_TRUE(gtktest::PumpUntil([&] { return s.Count("http://directadvert.example/popup/menu-ok.png") > 0; }))
        << s.LogText();
    std::string id;
    ASSERT_TRUE(gtktest::PumpUntil([&] {
        id = Capture("xdotool search --onlyvisible --name '^popmenu$' 2>/dev/null");
        return !id.empty();
    })) << "the allowed pop-up never showed";
    id = id.substr(0, id.find('\n'));
    std::string geometry = Capture("xdotool getwindowgeometry --shell " + id);
    platform::POINT inside{ShellValue(geometry, "X") + 60, ShellValue(geometry, "Y") + 60};
    const platform::COLORREF second = platform::RGB(255, 255, 0);
    ASSERT_TRUE(gtktest::PumpUntil([&] { return gtktest::ScreenPixel(inside.x, inside.y) == second; })) << geometry;
    const int firstFetched = s.Count("http://directadvert.example/popup/menu-first.html");
    const int secondFetched = s.Count("http://directadvert.example/popup/menu-second.html");
    EXPECT_EQ(firstFetched, 1);
    EXPECT_EQ(secondFetched, 1);
    EXPECT_EQ(s.CountContaining("menu-traforet"), 0) << s.LogText();

    // "Back", the first item; then "Reload", two down ("Forward" cannot be chosen).
    for (int steps : {1, 2}) {
        ASSERT_TRUE(PickMenuItem(inside, second, steps)) << "no context menu opened in the pop-up";
        gtktest::Pump(1200);
        EXPECT_EQ(gtktest::ScreenPixel(inside.x, inside.y), second) << "the pop-up's page changed after item " << steps;
        EXPECT_EQ(s.Count("http://directadvert.example/popup/menu-first.html"), firstFetched) << s.LogText();
        EXPECT_EQ(s.Count("http://directadvert.example/popup/menu-second.html"), secondFetched) << s.LogText();
    }

    // A left click lets the page close its window.
    gtktest::Xdotool("mousemove " + std::to_string(inside.x) + " " + std::to_string(inside.y) + " click 1");
    EXPECT_TRUE(gtktest::PumpUntil([] { return Capture("xdotool search --onlyvisible --name '^popmenu$' 2>/dev/null").empty(); }, 10000));
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
