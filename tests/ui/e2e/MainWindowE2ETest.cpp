// The main window of the real program, clicked with real mouse clicks and read back from the
// screen: the home page at start, the eleven sources with their addresses and the region of the
// page each shows, filling the panel, and the nudge counter's limits.
#include "ProgramOnScreen.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {

// The content panel's top-left corner in the window's client area.
constexpr int PanelLeft = 0, PanelTop = 40;

struct Button {
    int x, y; // centre in the client area
};
constexpr Button SourceButton(int left) { return {left + 53, 2 + 18}; }
constexpr Button ToolButton(int left) { return {left + 16, 493 + 4 + 16}; }

constexpr Button server1 = SourceButton(2), server2 = SourceButton(111), server3 = SourceButton(220),
                 server4 = SourceButton(330), server5 = SourceButton(440), radio = SourceButton(549);
constexpr Button recommended = ToolButton(36), iptv = ToolButton(104), films = ToolButton(306),
                 series = ToolButton(340), up = ToolButton(540), down = ToolButton(574), off = ToolButton(624);

void Click(Button b, int times = 1) { ClickAt(b.x, b.y, times); }

class MainWindowOnScreen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SessionProblem(), ""); }

    // Clicks the button and waits until the proxy has served the address once more.
    bool ClickAndLoad(Button b, const std::string& url)
    {
        int before = Server().Count(url);
        Click(b);
        return gtktest::PumpUntil([&] { return Server().Count(url) > before; }, 20000);
    }

    void ExpectCorner(PagePoint expected)
    {
        std::optional<PagePoint> seen = WaitForPageAt(PanelLeft, PanelTop, expected);
        EXPECT_EQ(seen, expected) << "the panel's corner shows " << Describe(seen);
    }
};

} // namespace

TEST_F(MainWindowOnScreen, TheHomePageIsLoadedAtStartInTheDefaultRegion)
{
    EXPECT_GE(Server().Count("http://www.lumo-tv.example/lumo9/main910.html"), 1) << Server().LogText();
    EXPECT_EQ(CornerAtStart(), (PagePoint{5, 5, 0})) << Describe(CornerAtStart());
}

TEST_F(MainWindowOnScreen, EverySourceLoadsItsAddressAndShowsItsRegionOfThePage)
{
    struct Source {
        const char* name;
        Button button;
        const char* url;
        PagePoint corner;
    };
    const Source sources[] = {
        {"server 2", server2, "http://tv.lumo-tv.example/channels/index3.html", {65, 240, 0}},
        {"server 3", server3, "http://tv.lumo-tv.example/channels/index2.html", {30, 615, 0}},
        {"server 4", server4, "http://tv.lumo-tv.example/channels/server4.html", {35, 710, 0}},
        {"server 5", server5, "http://tv.lumo-tv.example/channels/index.html", {5, 5, 0}},
        {"radio", radio, "http://www.lumo-tv.example/lumo9/radio2.html", {5, 5, 0}},
        {"recommended", recommended, "http://recommend.lumo-tv.example/recommended.html", {5, 5, 0}},
        {"IPTV", iptv, "http://www.lumo-tv.example/lumo9/iptv.html", {5, 5, 0}},
        {"off", off, "http://www.lumo-tv.example/lumo9/main910.html", {5, 5, 0}},
    };
    for (const Source& s : sources) {
        SCOPED_TRACE(s.name);
        EXPECT_TRUE(ClickAndLoad(s.button, s.url)) << Server().LogText();
        ExpectCorner(s.corner);
    }

    // The player page beside the program, found although the program runs from another folder:
    // its own grid kind shows.
    Click(server1);
    ExpectCorner({5, 5, 1});

    // Films and series fill the panel inside its bevel: page (0, 0) at its inner corner and the
    // page's extent ends at the panel's inner edge.
    for (auto [button, url] : {std::pair{films, "http://tv.lumo-tv.example/kino/films.html"},
                               std::pair{series, "http://tv.lumo-tv.example/kino/serials.html"}}) {
        SCOPED_TRACE(url);
        EXPECT_TRUE(ClickAndLoad(button, url)) << Server().LogText();
        std::optional<PagePoint> first = WaitForPageAt(PanelLeft + 1, PanelTop + 1, {0, 0, 0});
        EXPECT_EQ(first, (PagePoint{0, 0, 0})) << Describe(first);
        std::optional<PagePoint> last = WaitForPageAt(PanelLeft + 657, PanelTop + 451, {656, 450, 0});
        EXPECT_EQ(last, (PagePoint{656, 450, 0})) << Describe(last);
    }
}

TEST_F(MainWindowOnScreen, NudgingStopsAtTwentyStepsAndOnlyASourceThatResetsTheCounterFreesIt)
{
    ASSERT_TRUE(ClickAndLoad(server2, "http://tv.lumo-tv.example/channels/index3.html"));
    ExpectCorner({65, 240, 0});
    Click(up);
    ExpectCorner({65, 245, 0});
    Click(up, 19);
    ExpectCorner({65, 340, 0});
    Click(up);
    gtktest::Pump(300);
    ExpectCorner({65, 340, 0});

    // IPTV keeps the counter: up stays stuck, and forty steps down leave the page's top at 195
    // in the panel with its bottom where it was.
    ASSERT_TRUE(ClickAndLoad(iptv, "http://www.lumo-tv.example/lumo9/iptv.html"));
    ExpectCorner({5, 5, 0});
    Click(up);
    gtktest::Pump(300);
    ExpectCorner({5, 5, 0});
    Click(down, 40);
    Click(down);
    std::optional<PagePoint> top = WaitForPageAt(PanelLeft, PanelTop + 195, {5, 0, 0});
    EXPECT_EQ(top, (PagePoint{5, 0, 0})) << Describe(top);
    std::optional<PagePoint> bottom = PageAt(PanelLeft, PanelTop + 451);
    EXPECT_EQ(bottom, (PagePoint{5, 256, 0})) << Describe(bottom);

    // In fill mode only the counter moves.
    ASSERT_TRUE(ClickAndLoad(films, "http://tv.lumo-tv.example/kino/films.html"));
    std::optional<PagePoint> corner = WaitForPageAt(PanelLeft + 1, PanelTop + 1, {0, 0, 0});
    ASSERT_EQ(corner, (PagePoint{0, 0, 0})) << Describe(corner);
    Click(up, 3);
    Click(down);
    gtktest::Pump(300);
    EXPECT_EQ(PageAt(PanelLeft + 1, PanelTop + 1), (PagePoint{0, 0, 0}));
}
