// One request's round trip through the channel: the web process's question, the IO thread's
// decision (go on) and the answer back.
#include "webengine/channel/RequestChannel.h"
#include "webengine/channel/RequestChannelClient.h"

#include <benchmark/benchmark.h>

#include <string>

static void BM_RequestChannelRoundTrip(benchmark::State& state)
{
    webengine::RequestChannel channel;
    std::string error;
    if (!channel.Start([](uint64_t, std::string_view url) { return url.find("admixer") != std::string_view::npos; }, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    webengine::RequestChannelClient client(channel.SocketPath());
    std::string url = "https://tv.example.org/player/live/channel-12/stream/index.m3u8?session=0123456789abcdef&q=720";
    url.resize(120, 'x');
    for (auto _ : state) {
        bool cancel = client.ShouldCancel(42, url);
        benchmark::DoNotOptimize(cancel);
        if (cancel) {
            state.SkipWithError("the round trip failed");
            break;
        }
    }
}
BENCHMARK(BM_RequestChannelRoundTrip)->UseRealTime();
