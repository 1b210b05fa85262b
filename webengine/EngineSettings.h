// The program's browser settings as WebKit settings.
#pragma once

#include "engine/capi/cef_types.h"

#include <webkit2/webkit2.h>

namespace webengine {

// A new settings object (the caller owns it). Fixed whatever the program asks: no hardware
// acceleration (a view at a negative offset paints only partly with it) and scripts may open
// windows without a click, so that every window.open reaches the program's pop-up decision.
WebKitSettings* NewEngineSettings(const cef_browser_settings_t* settings);

} // namespace webengine
