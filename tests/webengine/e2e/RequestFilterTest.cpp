// The resource handler against the real engine: every request of every frame is put to it on the
// engine's IO thread, and what it cancels never reaches the network.
#include "EngineSession.h"

#include "../../support/FilterSite.h"

#include <algorithm>
#include <chrono>

namespace e2e {
namespace {

class RequestFilter : public EngineTest {};

TEST_F(RequestFilter, CancelledRequestsOfEveryKindNeverReachTheNetworkAndTheOthersDo)
{
    ServeFilterSite(Server());
    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/filter/index.html")) << "no load end; server saw:\n"
                                                                         << Server().LogText();
    // Everything the page asks for is settled once every address was put to the handler and the
    // allowed ones were served.
    bool settled = PumpUntil(
        [&] {
            for (const Expectation& e : filterExpectations)
                if (!requests_.Asked(e.url) || (!e.cancelled && Server().Count(e.url) == 0))
                    return false;
            return true;
        },
        20000);
    Pump(300);
    for (const Expectation& e : filterExpectations) {
        EXPECT_TRUE(requests_.Asked(e.url)) << e.kind << " never reached the handler: " << e.url;
        if (e.cancelled)
            EXPECT_EQ(Server().Count(e.url), 0) << e.kind << " was cancelled but fetched: " << e.url;
        else
            EXPECT_GE(Server().Count(e.url), 1) << e.kind << " was allowed but not fetched: " << e.url;
    }
    // Nothing reaches the network without the handler having been asked.
    for (const std::string& line : Server().Log()) {
        size_t space = line.find(' ');
        std::string url = line.substr(space + 1, line.rfind(' ') - space - 1);
        EXPECT_TRUE(requests_.Asked(url)) << "fetched without asking the handler: " << line;
    }
    if (!settled)
        ADD_FAILURE() << "handler was asked:\n" << requests_.Text() << "server saw:\n" << Server().LogText();

    std::set<std::thread::id> threads = requests_.Threads();
    EXPECT_FALSE(threads.empty());
    EXPECT_EQ(threads.count(UiThread()), 0u) << "the resource handler ran on the UI thread";
}

TEST_F(RequestFilter, ADocumentWhoseOwnAddressHoldsATokenDoesNotLoadAtAll)
{
    Server().Serve("tv.example/rmbn/page.html", {"text/html", "<html><body>advert</body></html>"});
    Server().Serve("tv.example/after.html", {"text/html", "<html><body>after</body></html>"});
    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    c->Load(u"tv.example/rmbn/page.html");
    ASSERT_TRUE(c->Browser());
    EXPECT_TRUE(PumpUntil([&] { return requests_.Asked("http://tv.example/rmbn/page.html"); }))
        << "the handler was asked:\n"
        << requests_.Text();
    Pump(700);
    EXPECT_EQ(Server().CountContaining("rmbn"), 0) << Server().LogText();
    EXPECT_NE(address_, "http://tv.example/rmbn/page.html");

    // The browser is not stuck on the cancelled document.
    EXPECT_TRUE(LoadAndWait(c, "tv.example/after.html"));
    EXPECT_EQ(Server().Count("http://tv.example/after.html"), 1);

    // Over a page that is shown, the cancelled document leaves that page in place.
    auto asked = [&] {
        std::vector<std::string> urls = requests_.Urls();
        return std::count(urls.begin(), urls.end(), "http://tv.example/rmbn/page.html");
    };
    const auto askedBefore = asked();
    c->Load(u"tv.example/rmbn/page.html");
    EXPECT_TRUE(PumpUntil([&] { return asked() > askedBefore; })) << requests_.Text();
    Pump(700);
    EXPECT_EQ(Server().CountContaining("rmbn"), 0) << Server().LogText();
    EXPECT_EQ(address_, "http://tv.example/after.html");
}

// The web process waits for each decision of the IO thread, so a page goes on loading while the
// UI thread is busy only if no decision needs the UI thread.
TEST_F(RequestFilter, RequestsAreDecidedWhileTheUiThreadIsBusy)
{
    Server().Serve("tv.example/busy/index.html",
                   {"text/html", "<html><body><script>"
                                 "setTimeout(function() {"
                                 "  var n = 0;"
                                 "  function next() {"
                                 "    if (++n > 5) return;"
                                 "    fetch('http://tv.example/busy/step' + n + '.txt').then(next, next);"
                                 "  }"
                                 "  next();"
                                 "}, 200);"
                                 "</script></body></html>"});
    Server().ServePrefix("tv.example/busy/step", [](const std::string&) { return Resource{"text/plain", "step"}; });
    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/busy/index.html"));
    size_t askedBefore = requests_.Urls().size();

    // No pumping meanwhile: the UI thread is busy.
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Server().CountContaining("/busy/step") < 5 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    size_t askedDuring = requests_.Urls().size() - askedBefore;
    int fetchedDuring = Server().CountContaining("/busy/step");
    EXPECT_GE(askedDuring, 5u) << requests_.Text();
    EXPECT_EQ(fetchedDuring, 5) << Server().LogText();
    for (std::thread::id id : requests_.Threads())
        EXPECT_NE(id, UiThread());
}

// Requests that no frame's document makes itself: a worker's script and its fetches, and beacons,
// which outlive their page. A filter they could slip past would let advertising through.
TEST_F(RequestFilter, RequestsOfWorkersAndBeaconsAreFilteredToo)
{
    ProxyServer& s = Server();
    s.Serve("tv.example/worker/index.html",
            {"text/html", "<html><body><script>"
                          "new Worker('http://tv.example/worker/worker.js');"
                          "navigator.sendBeacon('http://tv.example/worker/beacon-ok', 'x');"
                          "navigator.sendBeacon('http://tv.example/worker/beacon-traforet', 'x');"
                          "</script></body></html>"});
    s.Serve("tv.example/worker/worker.js",
            {"application/javascript", "fetch('http://tv.example/worker/from-worker-ok.txt');"
                                       "fetch('http://tv.example/worker/from-worker-oclaserver.txt').catch(function() {});"});
    s.ServePrefix("tv.example/worker/", [](const std::string&) { return Resource{"text/plain", "text"}; });
    const Expectation expectations[] = {
        {"worker script", "http://tv.example/worker/worker.js", false},
        {"fetch of a worker", "http://tv.example/worker/from-worker-ok.txt", false},
        {"fetch of a worker", "http://tv.example/worker/from-worker-oclaserver.txt", true},
        {"beacon", "http://tv.example/worker/beacon-ok", false},
        {"beacon", "http://tv.example/worker/beacon-traforet", true},
    };
    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/worker/index.html"));
    // Settled once every allowed one was fetched; the cancelled ones get the same time.
    PumpUntil(
        [&] {
            for (const Expectation& e : expectations)
                if (!e.cancelled && s.Count(e.url) == 0)
                    return false;
            return true;
        },
        10000);
    Pump(500);
    for (const Expectation& e : expectations) {
        if (e.cancelled) {
            EXPECT_TRUE(requests_.Asked(e.url)) << e.kind << " never reached the handler: " << e.url;
            EXPECT_EQ(s.Count(e.url), 0) << e.kind << " was fetched although its address holds a token: " << e.url;
        }
        else {
            EXPECT_GE(s.Count(e.url), 1) << e.kind << " was not fetched: " << e.url;
            EXPECT_TRUE(requests_.Asked(e.url)) << e.kind << " was fetched without asking the handler: " << e.url;
        }
    }
}

// The IO thread may be asking about a request at the moment the control goes away.
TEST_F(RequestFilter, DestroyingTheControlInTheMiddleOfALoadStopsItAndNoHandlerIsCalledAfterwards)
{
    std::string page = "<html><body>";
    for (int i = 0; i < 300; ++i)
        page += "<img width=2 height=2 src='http://tv.example/many/" + std::to_string(i) + ".png'>";
    Server().Serve("tv.example/many/index.html", {"text/html", page + "</body></html>"});
    Server().ServePrefix("tv.example/many/", [](const std::string&) { return Resource{"image/png", TinyPng()}; });
    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    c->Load(u"http://tv.example/many/index.html");
    ASSERT_TRUE(c->Browser());
    ASSERT_TRUE(PumpUntil([&] { return Server().CountContaining("/many/1") > 0; })) << Server().LogText();

    delete c;
    size_t askedAtDestruction = requests_.Urls().size();
    Pump(1000);
    int fetchedAfterASecond = Server().CountContaining("/many/");
    Pump(1000);
    EXPECT_EQ(requests_.Urls().size(), askedAtDestruction) << "the handler of a destroyed control was called";
    EXPECT_EQ(Server().CountContaining("/many/"), fetchedAfterASecond) << "the page went on loading";
    EXPECT_LT(fetchedAfterASecond, 301);
}

} // namespace
} // namespace e2e
