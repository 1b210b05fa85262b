// The binding's application object: answers the engine's five application callbacks from the
// configuration globals and keeps no state of its own.
#pragma once

#include "engine/CefRef.h"

namespace engine {

class TInternalApp : public CefOwnObject<TInternalApp, cef_app_t> {
public:
    TInternalApp();
};

} // namespace engine
