// The local player page in the real engine, placed as the main window places it: a 659 x 453
// panel with the browser control at -5, -5, 700 x 460. The test's proxy plays the channel site and
// the streams, which the test makes itself.
#include "TestMedia.h"

#include "../webengine/e2e/EngineSession.h"

#include "engine/CefTypes.h"
#include "platform/image/Image.h"
#include "platform/window/Window.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "toolkit/TPanel.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace e2e {
namespace {

constexpr int PanelWidth = 659;
constexpr int PanelHeight = 453;
constexpr const char* PagePath = LUMO_BINARY_DIR "/player/tvpl1.html";
constexpr const char* DefaultList = "http://tv.lumo-tv.example/channels/list.json";

// What the page shows, as its script reports it into the title on the test's request.
struct PageState {
    double time = -1;
    int channels = -1;
    int current = -1;
    bool messageShown = false;
    double contentLeft = 0, contentTop = 0, contentWidth = 0, contentHeight = 0; // the picture, page coordinates
    double messageLeft = 0, messageTop = 0, messageRight = 0, messageBottom = 0;
    std::string messageTitle;
};

class PlayerPage : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        form_->SetBounds(40, 40, PanelWidth + 40, PanelHeight + 60);
        panel_ = new toolkit::TPanel(form_);
        panel_->SetParent(form_);
        panel_->SetBounds(0, 0, PanelWidth, PanelHeight);
        panel_->SetShowCaption(false);
        chromium_ = MakeChromium(panel_, -5, -5, 700, 460);
        chromium_->OnTitleChange = [this](toolkit::TObject*, const engine::ICefBrowser&, const platform::String& title) {
            title_ = platform::Utf16ToUtf8(title);
        };
    }

    void ServeList(const std::string& hostPath, const std::string& json)
    {
        Server().Serve(hostPath, {"application/json", json});
    }

    void ServeMedia(const std::string& prefix, const TestMedia& media)
    {
        for (const auto& [name, bytes] : media.files) {
            std::string type = name.ends_with(".m3u8") ? "application/vnd.apple.mpegurl"
                               : name.ends_with(".ts") ? "video/mp2t"
                                                       : "video/mp4";
            Server().Serve(prefix + name, {type, bytes});
        }
    }

    bool Open(const std::string& query)
    {
        return LoadAndWait(chromium_, std::string("file://") + PagePath + query);
    }

    // The value of a script expression, which the page's script reports through the title; empty
    // when no answer came.
    std::string Evaluate(const std::u16string& expression)
    {
        engine::ICefFrame frame = chromium_->Browser().GetMainFrame();
        if (!frame)
            return {};
        std::u16string code = u"document.title='probe '+(window.probeCount=(window.probeCount||0)+1)+' '+(" + expression + u");";
        cef_string_t codeView = engine::CefStringView(code);
        cef_string_t noUrl{};
        std::string before = title_;
        frame.Cef()->execute_java_script(frame.Cef(), &codeView, &noUrl, 0);
        if (!PumpUntil([&] { return title_ != before && title_.rfind("probe ", 0) == 0; }, 5000))
            return {};
        std::size_t value = title_.find(' ', 6);
        return value == std::string::npos ? std::string() : title_.substr(value + 1);
    }

    // Asks the page for its state; false when no answer came.
    bool Probe(PageState& s)
    {
        std::string answer = Evaluate(
            u"(function(){var v=document.getElementById('video'),m=document.getElementById('message');"
            u"var r=v.getBoundingClientRect(),k=v.videoWidth&&v.videoHeight?Math.min(r.width/v.videoWidth,r.height/v.videoHeight):0;"
            u"var w=v.videoWidth*k,h=v.videoHeight*k,q=m.getBoundingClientRect();"
            u"var b=document.querySelectorAll('#channels button'),c=-1;"
            u"b.forEach(function(x,i){if(x.getAttribute('aria-current')==='true')c=i;});"
            u"return [v.currentTime,b.length,c,m.hidden?0:1,r.left+(r.width-w)/2,r.top+(r.height-h)/2,w,h,"
            u"q.left,q.top,q.right,q.bottom,document.getElementById('message-title').textContent].join(' ');})()");
        int shown = 0, consumed = 0;
        if (std::sscanf(answer.c_str(), "%lf %d %d %d %lf %lf %lf %lf %lf %lf %lf %lf %n", &s.time, &s.channels,
                        &s.current, &shown, &s.contentLeft, &s.contentTop, &s.contentWidth, &s.contentHeight,
                        &s.messageLeft, &s.messageTop, &s.messageRight, &s.messageBottom, &consumed) < 12)
            return false;
        s.messageShown = shown != 0;
        s.messageTitle = answer.substr(std::size_t(consumed));
        return true;
    }

    // Probes until the condition holds; the last state stays in s.
    bool ProbeUntil(PageState& s, const std::function<bool(const PageState&)>& condition, int ms)
    {
        return PumpUntil([&] { return Probe(s) && condition(s); }, ms);
    }

    // The page's point (x, y) on the screen; the control's view starts at the page's origin.
    POINT OnScreen(double x, double y) const
    {
        RECT view = ViewOnScreen(chromium_);
        return POINT{view.left + int(std::lround(x)), view.top + int(std::lround(y))};
    }

    // The panel shows the page from (5, 5) on: what lies there is what a user sees.
    static bool Visible(double left, double top, double right, double bottom)
    {
        return left >= 5 && top >= 5 && right <= 5 + PanelWidth && bottom <= 5 + PanelHeight;
    }

    // Not a check: what the panel shows, for a person to look at (build/tests/NAME.png).
    void SavePanel(const std::string& name)
    {
        POINT origin{0, 0};
        platform::ClientToScreen(panel_->Handle(), &origin);
        platform::Bitmap shot = platform::gtk::GrabScreen(RECT{origin.x, origin.y, origin.x + PanelWidth, origin.y + PanelHeight});
        if (!shot.IsEmpty())
            platform::SavePng(shot, std::string(LUMO_BINARY_DIR) + "/tests/" + name + ".png");
    }

    // Plays the served list's first channel and checks that time runs and the picture shows.
    void ExpectPlaysThePattern(const std::string& screenshotName)
    {
        PageState s;
        ASSERT_TRUE(ProbeUntil(s, [](const PageState& p) { return p.time > 1.0; }, 30000))
            << "the stream did not play: time " << s.time << ", message '" << s.messageTitle << "'\n"
            << Server().LogText();
        double first = s.time;
        ASSERT_TRUE(ProbeUntil(s, [&](const PageState& p) { return p.time > first + 0.5; }, 10000))
            << "the time stood at " << s.time;
        EXPECT_FALSE(s.messageShown) << s.messageTitle;
        EXPECT_EQ(s.current, 0);
        ASSERT_GT(s.contentWidth, 200) << "the picture is too small or missing";
        EXPECT_TRUE(Visible(s.contentLeft, s.contentTop, s.contentLeft + s.contentWidth, s.contentTop + s.contentHeight))
            << "picture at " << s.contentLeft << "," << s.contentTop << " size " << s.contentWidth << "x"
            << s.contentHeight;

        // Each quadrant's middle on the screen has the quadrant's colour (the codec moves colours
        // a little).
        std::string wrong;
        auto quadrantsMatch = [&] {
            wrong.clear();
            for (int q = 0; q < 4; ++q) {
                double x = s.contentLeft + s.contentWidth * (q % 2 == 0 ? 0.25 : 0.75);
                double y = s.contentTop + s.contentHeight * (q < 2 ? 0.25 : 0.75);
                COLORREF c = ScreenPixel(OnScreen(x, y).x, OnScreen(x, y).y);
                QuadrantColour want = PatternColours[q];
                if (std::abs(int(platform::GetRValue(c)) - want.r) > 60 ||
                    std::abs(int(platform::GetGValue(c)) - want.g) > 60 ||
                    std::abs(int(platform::GetBValue(c)) - want.b) > 60) {
                    char text[96];
                    std::snprintf(text, sizeof text, "quadrant %d is %d,%d,%d; ", q, platform::GetRValue(c),
                                  platform::GetGValue(c), platform::GetBValue(c));
                    wrong += text;
                }
            }
            return wrong.empty();
        };
        EXPECT_TRUE(PumpUntil(quadrantsMatch, 8000)) << wrong;
        SavePanel(screenshotName);
    }

    toolkit::TPanel* panel_ = nullptr;
    engine::TChromium* chromium_ = nullptr;
    std::string title_;
};

TEST_F(PlayerPage, PlaysAnHlsChannelFromTheList)
{
    TestMedia media = MakeHlsStream(8);
    ASSERT_EQ(media.problem, "");
    ServeMedia("media.test/live/", media);
    ServeList("lists.test/list.json", R"json({"version": 1, "channels": [
        {"name": "Тестовый канал", "url": "http://media.test/live/index.m3u8"},
        {"name": "Второй", "url": "/other/index.m3u8"}]})json");
    ASSERT_TRUE(Open("?list=http://lists.test/list.json"));
    ExpectPlaysThePattern("player-page-hls");
    PageState s;
    ASSERT_TRUE(Probe(s));
    EXPECT_EQ(s.channels, 2);
    EXPECT_GE(Server().Count("http://media.test/live/index.m3u8"), 1);
}

TEST_F(PlayerPage, PlaysAnMp4File)
{
    TestMedia media = MakeMp4File(6);
    ASSERT_EQ(media.problem, "");
    ServeMedia("media.test/files/", media);
    ServeList("lists.test/mp4.json",
              R"json({"version": 1, "channels": [{"name": "Фильм", "url": "http://media.test/files/clip.mp4"}]})json");
    ASSERT_TRUE(Open("?list=http://lists.test/mp4.json"));
    ExpectPlaysThePattern("player-page-mp4");
}

TEST_F(PlayerPage, LeavesOutEntriesItMustNotOpen)
{
    // Relative addresses are taken from the list's own address; scripts, local files and entries
    // without a name or an address are dropped.
    ServeList("lists.test/mixed.json", R"json({"version": 1, "channels": [
        {"name": "Скрипт", "url": "javascript:alert(1)"},
        {"name": "Файл", "url": "file:///etc/passwd"},
        {"name": "", "url": "http://media.test/a.m3u8"},
        {"url": "http://media.test/b.m3u8"},
        "не канал",
        {"name": "<b>Первый</b>", "url": "streams/first.m3u8"},
        {"name": "Второй", "url": "https://media.test/second.mp4"}]})json");
    ASSERT_TRUE(Open("?list=http://lists.test/mixed.json"));
    PageState s;
    ASSERT_TRUE(ProbeUntil(s, [](const PageState& p) { return p.channels >= 0 && p.current >= 0; }, 10000));
    EXPECT_EQ(s.channels, 2);
    // The first channel is asked for at its address beside the list.
    EXPECT_TRUE(PumpUntil([] { return Server().Count("http://lists.test/streams/first.m3u8") >= 1; }, 10000))
        << Server().LogText();
}

TEST_F(PlayerPage, SaysSoWhenTheChannelListCannotBeReached)
{
    // Without a parameter the page asks the channel site at its documented address; the test's
    // proxy does not know that site, so the answer is an error.
    ASSERT_TRUE(Open(""));
    PageState s;
    ASSERT_TRUE(ProbeUntil(s, [](const PageState& p) { return p.messageShown; }, 15000)) << title_;
    EXPECT_EQ(s.messageTitle, "Список каналов недоступен");
    EXPECT_EQ(s.channels, 0);
    EXPECT_TRUE(Visible(s.messageLeft, s.messageTop, s.messageRight, s.messageBottom))
        << s.messageLeft << "," << s.messageTop << " - " << s.messageRight << "," << s.messageBottom;
    EXPECT_GE(Server().Count(DefaultList), 1) << Server().LogText();
    SavePanel("player-page-no-list");

    // A damaged list gets the same clear message, not an empty page.
    ServeList("lists.test/broken.json", "{\"channels\": [");
    ASSERT_TRUE(Open("?list=http://lists.test/broken.json"));
    ASSERT_TRUE(ProbeUntil(s, [](const PageState& p) { return p.messageShown; }, 15000)) << title_;
    EXPECT_EQ(s.messageTitle, "Список каналов недоступен");
}

} // namespace
} // namespace e2e
