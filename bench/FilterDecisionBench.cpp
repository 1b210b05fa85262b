// The main window's resource-load decision as the engine meets it: the engine calls the request
// handler of the browser control's client on its IO thread with new references to the browser,
// the frame and the request; the binding wraps them, the control presets the result and calls
// the window's handler, which reads the address once and searches the block list; the answer goes
// back as 1 or 0. Measured over 10,000 addresses of the kinds a TV page asks for, about 5 % of
// them holding a blocked token. The engine side is the test engine library's string handling
// and reference counting.
#include "engine/CefLib.h"
#include "engine/CefRef.h"
#include "engine/TChromium.h"
#include "platform/core/Platform.h"
#include "ui/main/RequestFilter.h"
#include "ui/main/TForm1.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using engine::CefOwnObject;

class FakeBrowser : public CefOwnObject<FakeBrowser, cef_browser_t> {};
class FakeFrame : public CefOwnObject<FakeFrame, cef_frame_t> {};

// A request that hands out a fresh engine copy of its address, as the engine does.
class FakeRequest : public CefOwnObject<FakeRequest, cef_request_t> {
public:
    FakeRequest()
    {
        Cef()->get_url = [](cef_request_t* self) -> cef_string_userfree_t {
            const std::u16string& url = From(self)->url;
            cef_string_userfree_t s = engine::cef_string_userfree_utf16_alloc();
            s->str = new char16[url.size() + 1];
            std::char_traits<char16_t>::copy(reinterpret_cast<char16_t*>(s->str), url.data(), url.size() + 1);
            s->length = url.size();
            s->dtor = [](char16* p) { delete[] p; };
            return s;
        };
    }
    std::u16string url;
};

// Addresses of a TV page's traffic: scripts, styles, pictures, stream segments and API calls on
// a handful of hosts, with query strings; one in twenty carries a token in its host or path.
std::vector<std::u16string> RealisticAddresses(int count)
{
    std::mt19937 random(13);
    const std::u16string hosts[] = {u"tv.lumo-tv.example", u"www.lumo-tv.example", u"cdn.streams.example",
                                    u"img.static-content.example", u"api.player-stats.example",
                                    u"fonts.webfonts.example", u"s1.video-edge-07.example"};
    const std::u16string paths[] = {u"/channels/index3.html", u"/js/player.min.js?v=2.7.14",
                                    u"/css/site.css?ver=20261101", u"/images/logos/channel_42.png",
                                    u"/hls/live/first/720p/segment_000184.ts",
                                    u"/api/v2/epg?channel=42&from=1733700000&to=1733786400",
                                    u"/fonts/roboto-regular.woff2", u"/thumbs/2026/12/09/preview_800x450.jpg",
                                    u"/stat/collect?event=play&id=9f2c1d7e&t=183"};
    std::vector<std::u16string> out;
    out.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        std::u16string host = hosts[random() % std::size(hosts)];
        std::u16string path = paths[random() % std::size(paths)];
        if (i % 20 == 7) {
            std::u16string token(ui::BlockedTokens[random() % ui::BlockedTokens.size()]);
            if (random() % 2)
                host = token + u".example";
            else
                path = u"/ads/" + token + u"/banner.js?place=top";
        }
        out.push_back(u"http://" + host + path);
    }
    return out;
}

struct Path {
    engine::TChromium* control = nullptr;
    cef_request_handler_t* handler = nullptr;
    FakeBrowser* browser = nullptr;
    FakeFrame* frame = nullptr;
    std::string problem;
};

Path& Setup()
{
    static Path path = [] {
        Path p;
        ::setenv("LUMO_BACKEND", "headless", 1);
        platform::InitPlatform();
        engine::CefLibrary = u"" LUMO_BINARY_DIR "/tests/libcef-complete.so";
        try {
            engine::CefLoadLibDefault();
        } catch (const std::exception& e) {
            p.problem = std::string("the test engine did not load: ") + e.what();
            return p;
        }
        p.control = new engine::TChromium(nullptr);
        p.control->OnBeforeResourceLoad = ui::TForm1::Chromium1BeforeResourceLoad;
        cef_client_t* client = p.control->Client();
        p.handler = client->get_request_handler(client);
        p.browser = new FakeBrowser;
        p.frame = new FakeFrame;
        return p;
    }();
    return path;
}

void BM_ResourceLoadDecision(benchmark::State& state)
{
    Path& p = Setup();
    if (!p.problem.empty()) {
        state.SkipWithError(p.problem.c_str());
        return;
    }
    const std::vector<std::u16string> addresses = RealisticAddresses(10000);
    std::vector<FakeRequest*> requests;
    for (const std::u16string& a : addresses) {
        requests.push_back(new FakeRequest);
        requests.back()->url = a;
    }
    int blocked = 0;
    for (auto _ : state) {
        blocked = 0;
        for (FakeRequest* r : requests)
            blocked += p.handler->on_before_resource_load(p.handler, p.browser->CefShared(), p.frame->CefShared(),
                                                         r->CefShared());
    }
    state.counters["blocked"] = blocked;
    state.counters["per_address"] =
        benchmark::Counter(double(state.iterations()) * double(requests.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    for (FakeRequest* r : requests)
        r->Release();
}
BENCHMARK(BM_ResourceLoadDecision)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The search alone, and the token-by-token search it replaces, on the same addresses.
void BM_BlockListSearch(benchmark::State& state)
{
    const std::vector<std::u16string> addresses = RealisticAddresses(10000);
    const bool tokenByToken = state.range(0) != 0;
    for (auto _ : state) {
        int blocked = 0;
        for (const std::u16string& a : addresses) {
            if (tokenByToken) {
                for (std::u16string_view token : ui::BlockedTokens)
                    if (a.find(token) != std::u16string::npos) {
                        ++blocked;
                        break;
                    }
            } else {
                blocked += ui::HoldsBlockedToken(a);
            }
        }
        benchmark::DoNotOptimize(blocked);
    }
    state.counters["per_address"] =
        benchmark::Counter(double(state.iterations()) * double(addresses.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BlockListSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
