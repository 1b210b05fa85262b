#include "app/StartupProxy.h"

#include "platform/core/Types.h"
#include "platform/window/WebViewProxy.h"
#include "ui/windows/StoredProxy.h"

#include <string_view>

namespace app {

namespace {

// The value of "--name=value" or "--name value" (and the single-dash forms the engine accepts).
bool FindSwitch(const std::vector<std::string>& arguments, std::string_view name, std::string& value)
{
    for (size_t i = 1; i < arguments.size(); ++i) {
        std::string_view a = arguments[i];
        if (a == "--")
            return false;
        if (a.starts_with("--"))
            a.remove_prefix(2);
        else if (a.starts_with("-"))
            a.remove_prefix(1);
        else
            continue;
        if (a == name) {
            value = i + 1 < arguments.size() ? arguments[i + 1] : std::string();
            return true;
        }
        if (a.starts_with(name) && a.size() > name.size() && a[name.size()] == '=') {
            value = std::string(a.substr(name.size() + 1));
            return true;
        }
    }
    return false;
}

} // namespace

StartupArguments::StartupArguments(int argc, char** argv, const std::u16string& configPath)
{
    for (int i = 0; i < argc && argv && argv[i]; ++i)
        arguments_.emplace_back(argv[i]);
    std::string value;
    if (!FindSwitch(arguments_, "type", value)) {
        if (FindSwitch(arguments_, "proxy-server", value)) {
            proxy_ = value;
        } else if (auto stored = ui::StoredProxyServer(configPath)) {
            proxy_ = platform::Utf16ToUtf8(*stored);
            // Before any "--" that ends the switches.
            auto at = arguments_.begin() + (arguments_.empty() ? 0 : 1);
            while (at != arguments_.end() && *at != "--")
                ++at;
            arguments_.insert(at, "--proxy-server=" + proxy_);
        }
        if (!proxy_.empty())
            platform::SetWebViewProxy(platform::Utf8ToUtf16(proxy_));
    }
    for (std::string& a : arguments_)
        pointers_.push_back(a.data());
    pointers_.push_back(nullptr);
}

} // namespace app
