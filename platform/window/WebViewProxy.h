// The proxy the system web views fetch through. Set before the first web view exists (the views
// share one network context, configured once); until then, or when set empty, the views follow the
// http_proxy environment variable.
#pragma once

#include "platform/core/Types.h"

namespace platform {

// "host:port" or a full proxy address ("http://host:port").
void SetWebViewProxy(StringView proxy);
// The proxy address with its scheme, empty when none was set.
String WebViewProxy();

} // namespace platform
