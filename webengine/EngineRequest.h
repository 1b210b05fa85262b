// The engine's request object: an address, a method, flags, the first party for cookies and the
// headers. Requests the engine hands to the program's handlers are read-only; the program's own
// (cef_request_create) are writable.
#pragma once

#include "engine/capi/cef_entry_points.h"

#include <string_view>

namespace webengine {

// A read-only request holding one reference for the caller.
cef_request_t* NewEngineRequest(std::string_view utf8Url, std::string_view method);

} // namespace webengine
