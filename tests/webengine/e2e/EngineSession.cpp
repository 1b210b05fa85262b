#include "EngineSession.h"

#include "engine/CefLib.h"
#include "platform/window/Message.h"
#include "platform/core/Platform.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "toolkit/TApplication.h"
#include "ui/main/RequestFilter.h"

#include <chrono>
#include <cstdlib>


namespace e2e {

using namespace platform;

namespace {

struct SessionState {
    std::unique_ptr<ProxyServer> server;
    std::string problem = "the session did not start";
    std::thread::id uiThread;
    std::vector<std::string> argumentText;
    std::vector<char*> arguments;
    toolkit::TApplication* application = nullptr;
};

SessionState& S()
{
    static SessionState state;
    return state;
}

class Session : public ::testing::Environment {
public:
    void SetUp() override
    {
        SessionState& s = S();
        s.uiThread = std::this_thread::get_id();
        gtktest::VirtualDisplay& display = gtktest::VirtualDisplay::Instance();
        if (!display.Running()) {
            s.problem = display.Error();
            return;
        }
        s.server = std::make_unique<ProxyServer>();
        if (s.server->Port() == 0) {
            s.problem = "the proxy server could not listen on 127.0.0.1";
            return;
        }
        std::unique_ptr<platform::Backend> backend = platform::CreateGtkBackend();
        if (!backend) {
            s.problem = "GTK could not open " + display.Name();
            return;
        }
        InitPlatform(platform::PlatformOptions{.backend = std::move(backend)});
        s.application = new toolkit::TApplication(nullptr);

        // The engine's own switches travel on the command line it is given.
        s.argumentText = {"lumo_webengine_e2e_tests", s.server->ProxySwitch()};
        for (std::string& a : s.argumentText)
            s.arguments.push_back(a.data());
        s.arguments.push_back(nullptr);
        engine::CefSetMainArgs(int(s.argumentText.size()), s.arguments.data());
        engine::CefLibrary = u"" LUMO_BINARY_DIR "/libcef.so";
        engine::CefSingleProcess = false;
        try {
            if (!engine::CefLoadLibDefault()) {
                s.problem = "the engine took this process for one of its sub-processes";
                return;
            }
        } catch (const toolkit::Exception& e) {
            s.problem = std::string("the engine library did not load: ") + e.what();
            return;
        }
        s.problem.clear();
    }

    void TearDown() override
    {
        SessionState& s = S();
        delete s.application;
        s.application = nullptr;
        Pump(100);
        engine::CefShutDown();
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

ProxyServer& Server()
{
    return *S().server;
}

const std::string& SessionProblem()
{
    return S().problem;
}

std::thread::id UiThread()
{
    return S().uiThread;
}

std::string Narrow(const std::u16string& s)
{
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

bool HoldsBlockedToken(const std::string& url)
{
    return ui::HoldsBlockedToken(std::u16string(url.begin(), url.end()));
}

bool PopupAllowed(const std::string& targetUrl)
{
    return ui::PopupAllowed(std::u16string(targetUrl.begin(), targetUrl.end()));
}

void RequestRecord::Add(const std::string& url)
{
    std::lock_guard lock(mutex_);
    urls_.push_back(url);
    threads_.insert(std::this_thread::get_id());
}

bool RequestRecord::Asked(const std::string& url) const
{
    std::lock_guard lock(mutex_);
    for (const std::string& u : urls_)
        if (u == url)
            return true;
    return false;
}

std::vector<std::string> RequestRecord::Urls() const
{
    std::lock_guard lock(mutex_);
    return urls_;
}

std::set<std::thread::id> RequestRecord::Threads() const
{
    std::lock_guard lock(mutex_);
    return threads_;
}

std::string RequestRecord::Text() const
{
    std::string out;
    for (const std::string& u : Urls())
        out += u + "\n";
    return out;
}

void EngineTest::SetUp()
{
    ASSERT_EQ(SessionProblem(), "");
    Server().ClearLog();
    form_ = new toolkit::TForm(S().application);
    form_->AfterConstruction();
    form_->SetBounds(100, 100, 600, 450);
    form_->SetCaption(u"Просмотр");
    form_->Show();
    Pump(50);
}

void EngineTest::TearDown()
{
    delete form_;
    form_ = nullptr;
    // The engine finishes with the views it was told to close.
    Pump(200);
}

engine::TChromium* EngineTest::MakeChromium(toolkit::TWinControl* parent, int left, int top, int width, int height)
{
    auto* c = new engine::TChromium(form_);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    RequestRecord* record = &requests_;
    c->OnBeforeResourceLoad = [record](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame&,
                                       const engine::ICefRequest& request, bool& Result) {
        std::string url = Narrow(request.GetUrl());
        record->Add(url);
        Result = HoldsBlockedToken(url);
    };
    c->OnLoadEnd = [this](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame& frame, int) {
        if (frame.IsMain())
            ++loadEnds_;
    };
    c->OnAddressChange = [this](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame& frame,
                                const std::u16string& url) {
        if (frame.IsMain())
            address_ = Narrow(url);
    };
    return c;
}

bool EngineTest::LoadAndWait(engine::TChromium* c, const std::string& url, int ms)
{
    int before = loadEnds_;
    c->Load(String(url.begin(), url.end()));
    if (!c->Browser())
        return false;
    return PumpUntil([&] { return loadEnds_ > before; }, ms);
}

RECT EngineTest::ViewOnScreen(engine::TChromium* c) const
{
    RECT r{};
    if (c->BrowserWindow())
        GetWindowRect(c->BrowserWindow(), &r);
    return r;
}

} // namespace e2e
