#include "WindowsSession.h"

#include "app/StartupProxy.h"
#include "engine/CefLib.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "toolkit/TIniFile.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace windowse2e {

namespace {

struct SessionState {
    std::unique_ptr<e2e::ProxyServer> server;
    std::string problem = "the session did not start";
    std::filesystem::path folder;
    std::unique_ptr<app::StartupArguments> arguments;
    toolkit::TApplication* application = nullptr;
    bool proxyOn = true;
};

SessionState& S()
{
    static SessionState state;
    return state;
}

// A page of the colour that tells the server of every mouse press and every context menu.
e2e::Resource Page(platform::COLORREF color)
{
    char css[16];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", platform::GetRValue(color), platform::GetGValue(color),
                  platform::GetBValue(color));
    return {"text/html; charset=utf-8",
            std::string("<html><body style='margin:0;height:2000px;background:") + css +
                "'><script>"
                "function tell(what){var i=new Image();i.src='http://www.lumo-tv.example/seen/'+what+'?'+Date.now();}"
                "document.addEventListener('mousedown',function(e){tell('press'+e.button);});"
                "document.addEventListener('contextmenu',function(e){tell('menu');});"
                "</script></body></html>"};
}

class Session : public ::testing::Environment {
public:
    void SetUp() override
    {
        SessionState& s = S();
        const char* mode = std::getenv("LUMO_WINDOWS_E2E_PROXY");
        s.proxyOn = !(mode && std::string(mode) == "0");
        gtktest::VirtualDisplay& display = gtktest::VirtualDisplay::Instance();
        if (!display.Running()) {
            s.problem = display.Error();
            return;
        }
        s.server = std::make_unique<e2e::ProxyServer>();
        if (s.server->Port() == 0) {
            s.problem = "the proxy server could not listen on 127.0.0.1";
            return;
        }
        s.server->Serve("www.lumo-tv.example/lumo9/main910.html", Page(HomeColor));
        s.server->Serve("www.lumo-tv.example/lumo9/tvprogramm.html", Page(GuideColor));
        s.server->Serve("www.lumo-tv.example/channels2/skazki.html", Page(TalesColor));
        s.server->ServePrefix("www.lumo-tv.example/seen/", [](const std::string&) {
            return e2e::Resource("image/gif", "GIF89a");
        });

        // Only the stored proxy may lead anywhere.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy"})
            ::unsetenv(name);
        s.folder = std::filesystem::temp_directory_path() / ("lumo-windows-e2e-" + std::to_string(::getpid()));
        std::filesystem::create_directories(s.folder);
        std::ofstream(s.folder / "Config.ini", std::ios::binary)
            << "[Proxy]\r\nip=127.0.0.1\r\nport=" << s.server->Port() << "\r\nuseProxy=" << (s.proxyOn ? 1 : 0)
            << "\r\n";
        const std::u16string config = platform::Utf8ToUtf16((s.folder / "Config.ini").string());

        static char name[] = "lumo_windows_e2e_tests";
        char* argv[] = {name, nullptr};
        s.arguments = std::make_unique<app::StartupArguments>(1, argv, config);
        engine::CefSetMainArgs(s.arguments->Count(), s.arguments->Values());
        engine::CefLibrary = u"" LUMO_BINARY_DIR "/libcef.so";
        engine::CefSingleProcess = false;
        std::unique_ptr<platform::Backend> backend = platform::CreateGtkBackend();
        if (!backend) {
            s.problem = "GTK could not open " + display.Name();
            return;
        }
        platform::InitPlatform(platform::PlatformOptions{.backend = std::move(backend)});
        try {
            if (!engine::CefLoadLibDefault()) {
                s.problem = "the engine took this process for one of its sub-processes";
                return;
            }
        } catch (const toolkit::Exception& e) {
            s.problem = std::string("the engine library did not load: ") + e.what();
            return;
        }

        // The program's window set, the settings store on the session's Config.ini.
        s.application = new toolkit::TApplication(nullptr);
        s.application->SetTitle(u"Lumo TV Player");
        s.application->MainFormOnTaskBar = true;
        s.application->CreateForm(ui::Form1);
        delete ui::ini;
        ui::ini = new toolkit::TIniFile(config);
        s.application->CreateForm(ui::AboutForm);
        s.application->CreateForm(ui::AudioskazkiForm);
        s.application->CreateForm(ui::DonationForm);
        s.application->CreateForm(ui::HelpForm);
        s.application->CreateForm(ui::TVProgrammForm);
        s.application->CreateForm(ui::SettingForm);
        ui::Form1->Show();
        Pump(100);
        s.problem.clear();
    }

    void TearDown() override
    {
        SessionState& s = S();
        delete s.application;
        s.application = nullptr;
        Pump(200);
        engine::CefShutDown();
        std::filesystem::remove_all(s.folder);
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

e2e::ProxyServer& Server()
{
    return *S().server;
}

const std::string& SessionProblem()
{
    return S().problem;
}

toolkit::TApplication& App()
{
    return *S().application;
}

bool StoredProxyOn()
{
    return S().proxyOn;
}

void ClickAt(platform::POINT at, int button)
{
    Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click " + std::to_string(button));
}

} // namespace windowse2e
