#include "ui/windows/StoredProxy.h"

#include "toolkit/SysUtils.h"
#include "toolkit/TIniFile.h"

namespace ui {

using namespace toolkit;

namespace {

bool UsableHost(StringView host)
{
    if (host.empty() || host == u"0")
        return false;
    for (char16_t c : host)
        if (c <= u' ' || c == 0x7F)
            return false;
    return true;
}

} // namespace

std::optional<String> StoredProxyServer(StringView configPath)
{
    TIniFile config(configPath);
    if (!config.ReadBool(u"Proxy", u"useProxy", false))
        return std::nullopt;
    String host = config.ReadString(u"Proxy", u"ip", u"0");
    int port = StrToIntDef(config.ReadString(u"Proxy", u"port", u"0"), 0);
    if (!UsableHost(host) || port < 1 || port > 65535)
        return std::nullopt;
    return host + u":" + IntToStr(port);
}

} // namespace ui
