// The proxy stored in Config.ini, as the browser engine and the system web views take it at start.
// The settings window keeps the values exactly as typed; only a complete, usable set is handed on.
#pragma once

#include "toolkit/Types.h"

#include <optional>

namespace ui {

// "host:port" when useProxy reads as true, the address is a host name or address (not empty, not
// the placeholder "0", no blanks or control characters) and the port is an integer from 1 to
// 65535; nothing otherwise, and nothing when the file cannot be read.
std::optional<toolkit::String> StoredProxyServer(toolkit::StringView configPath);

} // namespace ui
