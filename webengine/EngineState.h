// What the engine library keeps between calls. One UI thread calls the engine's life functions.
#pragma once

#include "engine/capi/cef_entry_points.h"

#include <glib.h>

#include <string>
#include <vector>

namespace webengine {

struct CustomScheme {
    std::string name; // UTF-8
    bool isStandard = false;
    bool isLocal = false;
    bool isDisplayIsolated = false;
};

struct EngineState {
    bool initialized = false;
    bool inLoopWork = false;
    cef_app_t* application = nullptr;
    std::string proxyServer; // --proxy-server=HOST:PORT
    std::string cachePath;   // empty: nothing of the pages is kept on disk
    std::string userAgent;
    std::vector<CustomScheme> schemes;
    GMainLoop* loop = nullptr;
};

EngineState& State();
bool IsSubProcess(const cef_main_args_t* args);
std::string SwitchValue(const cef_main_args_t* args, const char* name);
std::vector<std::string> CustomSchemeNames();

} // namespace webengine
