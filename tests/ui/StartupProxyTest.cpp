// The stored proxy on its way to the engine's command line and the web views at start.
#include "app/StartupProxy.h"
#include "platform/core/Types.h"
#include "platform/window/WebViewProxy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class StartupProxyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("lumo-startup-proxy-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        config = platform::Utf8ToUtf16((folder / "Config.ini").string());
        platform::SetWebViewProxy(u"");
    }
    void TearDown() override
    {
        platform::SetWebViewProxy(u"");
        std::filesystem::remove_all(folder);
    }

    void WriteConfig(const std::string& text) { std::ofstream(folder / "Config.ini", std::ios::binary) << text; }

    // The arguments the engine would be handed for this command line.
    std::vector<std::string> Run(std::vector<std::string> line, std::string* proxy = nullptr)
    {
        std::vector<char*> argv;
        for (std::string& a : line)
            argv.push_back(a.data());
        app::StartupArguments arguments(int(argv.size()), argv.data(), config);
        if (proxy)
            *proxy = arguments.Proxy();
        EXPECT_EQ(arguments.Values()[arguments.Count()], nullptr);
        return std::vector<std::string>(arguments.Values(), arguments.Values() + arguments.Count());
    }

    std::filesystem::path folder;
    std::u16string config;
};

} // namespace

TEST_F(StartupProxyTest, AUsableStoredProxyJoinsTheEngineSwitchesAndTheWebViews)
{
    WriteConfig("[Proxy]\r\nip=127.0.0.1\r\nport=3128\r\nuseProxy=1\r\n");
    std::string proxy;
    EXPECT_EQ(Run({"lumo", "--enable-x", "--", "page"}, &proxy),
              (std::vector<std::string>{"lumo", "--enable-x", "--proxy-server=127.0.0.1:3128", "--", "page"}));
    EXPECT_EQ(proxy, "127.0.0.1:3128");
    EXPECT_EQ(platform::WebViewProxy(), u"http://127.0.0.1:3128");

    // Written as "0x1", the switch still reads as on; the port is taken as an integer.
    WriteConfig("[proxy]\r\nIP=proxy.lan\r\nPORT=0080\r\nUSEPROXY=0x1\r\n");
    EXPECT_EQ(Run({"lumo"}), (std::vector<std::string>{"lumo", "--proxy-server=proxy.lan:80"}));
}

TEST_F(StartupProxyTest, AProxyOnTheCommandLineWinsOverTheStoredOne)
{
    WriteConfig("[Proxy]\r\nip=127.0.0.1\r\nport=3128\r\nuseProxy=1\r\n");
    EXPECT_EQ(Run({"lumo", "--proxy-server=10.0.0.9:8000"}),
              (std::vector<std::string>{"lumo", "--proxy-server=10.0.0.9:8000"}));
    EXPECT_EQ(platform::WebViewProxy(), u"http://10.0.0.9:8000");
    std::string proxy;
    EXPECT_EQ(Run({"lumo", "-proxy-server", "socks5://10.0.0.9:1080"}, &proxy),
              (std::vector<std::string>{"lumo", "-proxy-server", "socks5://10.0.0.9:1080"}));
    EXPECT_EQ(proxy, "socks5://10.0.0.9:1080");
    EXPECT_EQ(platform::WebViewProxy(), u"socks5://10.0.0.9:1080");
}

TEST_F(StartupProxyTest, NothingIsHandedOnForAnUnusableProxyOrInAnEngineSubProcess)
{
    const char* unusable[] = {
        "[Proxy]\r\nip=127.0.0.1\r\nport=3128\r\nuseProxy=0\r\n",
        "[Proxy]\r\nip=127.0.0.1\r\nport=3128\r\nuseProxy=yes\r\n",
        "[Proxy]\r\nip=127.0.0.1\r\nport=0\r\nuseProxy=1\r\n",
        "[Proxy]\r\nip=127.0.0.1\r\nport=65536\r\nuseProxy=1\r\n",
        "[Proxy]\r\nip=127.0.0.1\r\nport=-80\r\nuseProxy=1\r\n",
        "[Proxy]\r\nip=127.0.0.1\r\nport=80 80\r\nuseProxy=1\r\n",
        "[Proxy]\r\nip=0\r\nport=3128\r\nuseProxy=1\r\n",
        "[Proxy]\r\nip=\r\nport=3128\r\nuseProxy=1\r\n",
        "[Proxy]\r\nip=127.0.0.1 --disable-x\r\nport=3128\r\nuseProxy=1\r\n",
        "[Proxy]\r\nport=3128\r\nuseProxy=1\r\n",
    };
    for (const char* text : unusable) {
        SCOPED_TRACE(text);
        WriteConfig(text);
        EXPECT_EQ(Run({"lumo", "--enable-x"}), (std::vector<std::string>{"lumo", "--enable-x"}));
        EXPECT_EQ(platform::WebViewProxy(), u"");
    }
    std::filesystem::remove(folder / "Config.ini");
    EXPECT_EQ(Run({"lumo"}), (std::vector<std::string>{"lumo"}));
    EXPECT_FALSE(std::filesystem::exists(folder / "Config.ini")) << "reading creates nothing";

    WriteConfig("[Proxy]\r\nip=127.0.0.1\r\nport=3128\r\nuseProxy=1\r\n");
    EXPECT_EQ(Run({"lumo", "--type=renderer", "--lang=ru"}),
              (std::vector<std::string>{"lumo", "--type=renderer", "--lang=ru"}));
    EXPECT_EQ(platform::WebViewProxy(), u"");
}
