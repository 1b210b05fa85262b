// What the engine tells about a main-frame load: its end with the document's HTTP status, the
// address and the title.
#include "EngineSession.h"

namespace e2e {
namespace {

class LoadEvents : public EngineTest {};

TEST_F(LoadEvents, TheLoadEndCarriesTheStatusAndTheAddressAndTitleFollowThePage)
{
    Server().Serve("tv.example/events/titled.html",
                   {"text/html; charset=utf-8", "<html><head><title>Канал 1</title></head><body></body></html>"});
    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    std::vector<int> statuses;
    std::u16string lastTitle;
    c->OnLoadEnd = [&](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame& frame, int status) {
        if (frame.IsMain()) {
            ++loadEnds_;
            statuses.push_back(status);
        }
    };
    c->OnTitleChange = [&](toolkit::TObject*, const engine::ICefBrowser&, const std::u16string& title) {
        lastTitle = title;
    };

    ASSERT_TRUE(LoadAndWait(c, "tv.example/events/titled.html"));
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.back(), 200);
    EXPECT_EQ(address_, "http://tv.example/events/titled.html");
    EXPECT_TRUE(PumpUntil([&] { return lastTitle == u"Канал 1"; })) << Narrow(lastTitle);
    EXPECT_EQ(Narrow(c->Browser().GetMainFrame().GetUrl()), "http://tv.example/events/titled.html");

    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/events/missing.html"));
    EXPECT_EQ(statuses.back(), 404);
    EXPECT_EQ(address_, "http://tv.example/events/missing.html");
}

} // namespace
} // namespace e2e
