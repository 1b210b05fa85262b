// The program's windows drawn without a browser engine: while a NoEngine lives, the engine
// binding counts as loaded but creates no browser, so every browser control keeps its page area
// empty and nothing of an engine library is needed or started.
#pragma once

namespace lumoskin {

class NoEngine {
public:
    NoEngine();
    ~NoEngine();
    NoEngine(const NoEngine&) = delete;
    NoEngine& operator=(const NoEngine&) = delete;
};

} // namespace lumoskin
