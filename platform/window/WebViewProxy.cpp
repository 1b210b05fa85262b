#include "platform/window/WebViewProxy.h"

namespace platform {

namespace {

String& Stored()
{
    static String proxy;
    return proxy;
}

} // namespace

void SetWebViewProxy(StringView proxy)
{
    String value(proxy);
    if (!value.empty() && value.find(u"://") == String::npos)
        value.insert(0, u"http://");
    Stored() = value;
}

String WebViewProxy()
{
    return Stored();
}

} // namespace platform
