#include "ProgramOnScreen.h"

#include "../../platform/gtk/VirtualDisplay.h"

#include "platform/frame/DefaultFrame.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/core/Platform.h"
#include "platform/core/WinUser.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace programtest {

namespace fs = std::filesystem;
using namespace platform;

namespace {

struct SessionState {
    std::unique_ptr<e2e::ProxyServer> server;
    std::string problem = "the session did not start";
    fs::path folder;
    pid_t program = -1;
    POINT clientOrigin{};
    std::optional<PagePoint> cornerAtStart;
};

SessionState& S()
{
    static SessionState state;
    return state;
}

// Pages of every site: a grid; the sources' own addresses are logged by the proxy.
void ServeSites(e2e::ProxyServer& server)
{
    for (const char* host : {"www.lumo-tv.example/", "tv.lumo-tv.example/", "recommend.lumo-tv.example/"})
        server.ServePrefix(host, [](const std::string&) { return e2e::Resource("text/html; charset=utf-8", GridPage(0)); });
}

class Session : public ::testing::Environment {
public:
    void SetUp() override
    {
        SessionState& s = S();
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
        ServeSites(*s.server);
        // This process reads the screen through the platform's real backend.
        std::unique_ptr<platform::Backend> backend = platform::CreateGtkBackend();
        if (!backend) {
            s.problem = "GTK could not open " + display.Name();
            return;
        }
        platform::InitPlatform(platform::PlatformOptions{.backend = std::move(backend)});

        s.folder = fs::temp_directory_path() / ("lumo-program-e2e-" + std::to_string(::getpid()));
        fs::remove_all(s.folder);
        fs::create_directories(s.folder / "player");
        fs::copy_file(LUMO_BINARY_DIR "/lumo-tv-player", s.folder / "lumo-tv-player");
        fs::create_symlink(LUMO_BINARY_DIR "/libcef.so", s.folder / "libcef.so");
        fs::create_directory_symlink(LUMO_BINARY_DIR "/engine-extensions", s.folder / "engine-extensions");
        std::ofstream(s.folder / "player" / "tvpl1.html") << GridPage(1);

        s.program = ::fork();
        if (s.program == 0) {
            // Another working directory than the program's folder: its files are found all the same.
            if (::chdir("/") != 0)
                ::_exit(127);
            std::string log = (s.folder / "program.log").string();
            std::FILE* out = std::fopen(log.c_str(), "w");
            if (out) {
                ::dup2(::fileno(out), 1);
                ::dup2(::fileno(out), 2);
            }
            std::string program = (s.folder / "lumo-tv-player").string();
            std::string proxy = s.server->ProxySwitch();
            ::execl(program.c_str(), "lumo-tv-player", proxy.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::string id = Capture("timeout 60 xdotool search --sync --onlyvisible --name '^Lumo TV Player$' 2>/dev/null");
        id = id.substr(0, id.find('\n'));
        if (id.empty()) {
            s.problem = "the main window never showed; the program said:\n" + Log();
            return;
        }
        std::string geometry = Capture("xdotool getwindowgeometry --shell " + id);
        const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        DefaultFrame::Insets insets = DefaultFrame::FrameInsets(style, 0);
        if (ShellValue(geometry, "WIDTH") != 659 + insets.left + insets.right ||
            ShellValue(geometry, "HEIGHT") != 533 + insets.top + insets.bottom) {
            s.problem = "the main window is not 659 x 533 inside its frame: " + geometry;
            return;
        }
        s.clientOrigin = POINT{ShellValue(geometry, "X") + insets.left, ShellValue(geometry, "Y") + insets.top};
        // The home page asked for at start must not be overtaken by the tests' first click.
        if (!gtktest::PumpUntil([&] { return s.server->Count("http://www.lumo-tv.example/lumo9/main910.html") >= 1; },
                                30000)) {
            s.problem = "the home page was never asked for; the proxy saw:\n" + s.server->LogText();
            return;
        }
        s.cornerAtStart = WaitForPageAt(0, 40, PagePoint{5, 5, 0});
        s.problem.clear();
    }

    void TearDown() override
    {
        SessionState& s = S();
        if (s.program > 0) {
            ::kill(s.program, SIGTERM);
            int status = 0;
            ::waitpid(s.program, &status, 0);
        }
        std::error_code ec;
        fs::remove_all(s.folder, ec);
    }

    static std::string Log()
    {
        std::ifstream in(S().folder / "program.log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

[[maybe_unused]] ::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

std::string Capture(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
    return out;
}

int ShellValue(const std::string& text, const std::string& name)
{
    size_t at = text.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + name.size() + 1);
}

std::string GridPage(int page, const std::string& extraBody)
{
    // Red and green carry the low eight bits of x and y; blue the high three bits of each and the
    // page's kind, so that every point of a 1400 x 1400 page has a colour of its own.
    return R"html(<!doctype html><html><head><style>
html, body { margin: 0; overflow: hidden; }
canvas { position: absolute; left: 0; top: 0; z-index: 10; }
</style></head><body>
<canvas id="grid" width="1400" height="1400"></canvas>
<script>
var c = document.getElementById('grid').getContext('2d');
var image = c.createImageData(1400, 1400);
for (var y = 0; y < 1400; ++y)
  for (var x = 0; x < 1400; ++x) {
    var i = (y * 1400 + x) * 4;
    image.data[i] = x & 255;
    image.data[i + 1] = y & 255;
    image.data[i + 2] = ((x >> 8) << 5) | ((y >> 8) << 2) | )html" +
           std::to_string(page) + R"html(;
    image.data[i + 3] = 255;
  }
c.putImageData(image, 0, 0);
</script>
)html" + extraBody +
           "</body></html>";
}

std::string Describe(const std::optional<PagePoint>& p)
{
    if (!p)
        return "no grid";
    return "page " + std::to_string(p->page) + " point (" + std::to_string(p->x) + ", " + std::to_string(p->y) + ")";
}

e2e::ProxyServer& Server()
{
    return *S().server;
}

const std::string& SessionProblem()
{
    return S().problem;
}

std::optional<PagePoint> CornerAtStart()
{
    return S().cornerAtStart;
}

POINT ClientToScreen(int x, int y)
{
    return POINT{S().clientOrigin.x + x, S().clientOrigin.y + y};
}

std::optional<PagePoint> PageAt(int clientX, int clientY)
{
    POINT p = ClientToScreen(clientX, clientY);
    COLORREF c = gtktest::ScreenPixel(p.x, p.y);
    if (c == COLORREF(0xFFFFFFFF))
        return std::nullopt;
    int blue = GetBValue(c);
    PagePoint point{GetRValue(c) | ((blue >> 5) << 8), GetGValue(c) | (((blue >> 2) & 7) << 8), blue & 3};
    return point;
}

std::optional<PagePoint> WaitForPageAt(int clientX, int clientY, PagePoint expected, int ms)
{
    std::optional<PagePoint> seen;
    gtktest::PumpUntil(
        [&] {
            seen = PageAt(clientX, clientY);
            return seen == expected;
        },
        ms);
    return seen;
}

void ClickAt(int clientX, int clientY, int times)
{
    POINT p = ClientToScreen(clientX, clientY);
    // Clicks further apart than a double click, each counted as a click of its own.
    gtktest::Xdotool("mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y) + " click --repeat " +
                     std::to_string(times) + " --delay 120 1 mousemove 0 0");
    gtktest::Pump(100);
}

} // namespace programtest
