// The browser control as windows place it.
#pragma once

#include "engine/TCustomChromium.h"

namespace engine {

class TChromium : public TCustomChromium {
public:
    using TCustomChromium::TCustomChromium;
};

} // namespace engine
