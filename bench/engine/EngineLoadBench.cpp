// Loading a page of 500 small images, each its own request through a local proxy, in the engine
// library (every request put to the main window's filter, which cancels none of them) and in a plain system
// web view with the same proxy and no extension. Each load asks for a page and pictures never
// asked for before, so no cache helps either side; time runs from the load request to the end of
// the main frame's load. It starts its own virtual display (Xvfb). Repetitions of the two are
// interleaved, so a slow spell of the machine falls on both.
#include "tests/platform/gtk/VirtualDisplay.h"
#include "tests/support/ProxyServer.h"

#include "engine/CefLib.h"
#include "engine/TChromium.h"
#include "platform/window/Message.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "ui/main/TForm1.h"

#include <benchmark/benchmark.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int imageCount = 500;
constexpr int loadTimeoutMs = 60000;

struct Bench {
    std::unique_ptr<e2e::ProxyServer> server;
    std::string problem;
    int page = 0;
    toolkit::TApplication* application = nullptr;
    toolkit::TForm* form = nullptr;
    engine::TChromium* chromium = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* view = nullptr;
    std::string expected; // the address whose load end counts
    bool done = false;
    int failedLoads = 0;
};

Bench& B()
{
    static Bench bench;
    return bench;
}

std::string PageFor(const std::string& hostPath)
{
    // "bench.example/page/N.html" → 500 pictures under "bench.example/img/N/".
    std::string n = hostPath.substr(hostPath.rfind('/') + 1);
    n = n.substr(0, n.find('.'));
    std::string html = "<!doctype html><html><body style='margin:0'>";
    for (int i = 0; i < imageCount; ++i)
        html += "<img width=4 height=4 src='http://bench.example/img/" + n + "/" + std::to_string(i) + ".png'>";
    return html + "</body></html>";
}

// The program's own loop: what is ready is dispatched, then it waits for input or a timer.
bool RunUntilDone()
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(loadTimeoutMs);
    while (!B().done && std::chrono::steady_clock::now() < end) {
        platform::MSG msg;
        while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
            platform::TranslateMessage(&msg);
            platform::DispatchMessage(&msg);
        }
        if (!B().done)
            platform::WaitMessage();
    }
    return B().done;
}

std::string NextPage()
{
    return "http://bench.example/page/" + std::to_string(++B().page) + ".html";
}

// Every picture of the page reached the server.
bool Complete(const std::string& page)
{
    std::string n = page.substr(page.rfind('/') + 1);
    n = n.substr(0, n.find('.'));
    return B().server->CountContaining("bench.example/img/" + n + "/") == imageCount;
}

void LoadInEngine(const std::string& url)
{
    B().done = false;
    B().expected = url;
    B().chromium->Load(std::u16string(url.begin(), url.end()));
}

void LoadInPlainView(const std::string& url)
{
    B().done = false;
    B().expected = url;
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(B().view), url.c_str());
}

void TimeLoads(benchmark::State& state, void (*load)(const std::string&))
{
    if (!B().problem.empty()) {
        state.SkipWithError(B().problem.c_str());
        return;
    }
    for (auto _ : state) {
        std::string url = NextPage();
        auto start = std::chrono::steady_clock::now();
        load(url);
        bool finished = RunUntilDone();
        auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        if (!finished || !Complete(url)) {
            state.SkipWithError("a load did not finish with every picture fetched");
            return;
        }
    }
    state.counters["requests"] = imageCount + 1;
}

void BM_EngineLibraryPageOf500Images(benchmark::State& state)
{
    TimeLoads(state, LoadInEngine);
}

void BM_PlainWebViewPageOf500Images(benchmark::State& state)
{
    TimeLoads(state, LoadInPlainView);
}

BENCHMARK(BM_EngineLibraryPageOf500Images)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(121);
BENCHMARK(BM_PlainWebViewPageOf500Images)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(121);

void StartEngineView(const std::string& proxySwitch)
{
    static std::vector<std::string> text;
    static std::vector<char*> argv;
    text = {"lumo_engine_bench", proxySwitch};
    for (std::string& t : text)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    engine::CefSetMainArgs(int(text.size()), argv.data());
    engine::CefLibrary = u"" LUMO_BINARY_DIR "/libcef.so";
    engine::CefSingleProcess = false;
    try {
        if (!engine::CefLoadLibDefault()) {
            B().problem = "the engine took this process for a sub-process";
            return;
        }
    } catch (const std::exception& e) {
        B().problem = std::string("the engine library did not load: ") + e.what();
        return;
    }
    B().form = new toolkit::TForm(B().application);
    B().form->AfterConstruction();
    B().form->SetBounds(0, 0, 600, 450);
    B().form->Show();
    B().chromium = new engine::TChromium(B().form);
    B().chromium->SetParent(B().form);
    B().chromium->SetBounds(0, 0, 600, 450);
    // The main window's own filter decides every request.
    B().chromium->OnBeforeResourceLoad = ui::TForm1::Chromium1BeforeResourceLoad;
    B().chromium->OnLoadEnd = [](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame& frame, int) {
        std::u16string url = frame.GetUrl();
        if (frame.IsMain() && std::string(url.begin(), url.end()) == B().expected)
            B().done = true;
    };
    B().chromium->Load(u"about:blank");
    if (!B().chromium->Browser())
        B().problem = "the engine made no browser";
}

void StartPlainView(int port)
{
    WebKitWebsiteDataManager* manager = webkit_website_data_manager_new_ephemeral();
    std::string proxy = "http://127.0.0.1:" + std::to_string(port);
    WebKitNetworkProxySettings* settings = webkit_network_proxy_settings_new(proxy.c_str(), nullptr);
    webkit_website_data_manager_set_network_proxy_settings(manager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, settings);
    webkit_network_proxy_settings_free(settings);
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(manager);
    g_object_unref(manager);
    webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_WEB_BROWSER);
    B().view = webkit_web_view_new_with_context(context);
    g_object_unref(context);
    g_signal_connect(B().view, "load-changed", G_CALLBACK(+[](WebKitWebView* view, WebKitLoadEvent event, gpointer) {
                         const char* uri = webkit_web_view_get_uri(view);
                         if (event == WEBKIT_LOAD_FINISHED && uri && B().expected == uri)
                             B().done = true;
                     }),
                     nullptr);
    B().window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(B().window), 600, 450);
    gtk_window_move(GTK_WINDOW(B().window), 620, 0);
    gtk_container_add(GTK_CONTAINER(B().window), B().view);
    gtk_widget_show_all(B().window);
}

bool Start()
{
    gtktest::VirtualDisplay& display = gtktest::VirtualDisplay::Instance();
    if (!display.Running()) {
        B().problem = display.Error();
        return false;
    }
    B().server = std::make_unique<e2e::ProxyServer>();
    if (B().server->Port() == 0) {
        B().problem = "the proxy server could not listen";
        return false;
    }
    B().server->ServePrefix("bench.example/page/", [](const std::string& hostPath) {
        return e2e::Resource{"text/html; charset=utf-8", PageFor(hostPath)};
    });
    std::string png = e2e::TinyPng();
    B().server->ServePrefix("bench.example/img/", [png](const std::string&) { return e2e::Resource{"image/png", png}; });

    std::unique_ptr<platform::Backend> backend = platform::CreateGtkBackend();
    if (!backend) {
        B().problem = "GTK cannot open the virtual display";
        return false;
    }
    platform::InitPlatform(platform::PlatformOptions{.backend = std::move(backend)});
    B().application = new toolkit::TApplication(nullptr);
    StartEngineView(B().server->ProxySwitch());
    if (!B().problem.empty())
        return false;
    StartPlainView(B().server->Port());

    // One load each first: the web processes start and the connections to the proxy open.
    for (auto load : {LoadInEngine, LoadInPlainView}) {
        std::string url = NextPage();
        load(url);
        if (!RunUntilDone() || !Complete(url)) {
            B().problem = "the first load did not finish with every picture fetched";
            return false;
        }
    }
    return true;
}

void Stop()
{
    if (B().window)
        gtk_widget_destroy(B().window);
    delete B().application; // and with it the form and the engine's view
    B().application = nullptr;
    for (int i = 0; i < 20; ++i) {
        platform::MSG msg;
        while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE))
            platform::DispatchMessage(&msg);
    }
    engine::CefShutDown();
    B().server.reset();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    Start();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Stop();
    return B().problem.empty() ? 0 : 1;
}
