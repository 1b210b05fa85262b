// What composition keeps between frames: the parts of the screen that changed, and the file the
// screenshot mode writes once everything is painted. Internal to the window system.
#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

namespace platform::detail {

struct Compositor {
    std::vector<RECT> screenDamage;
    std::string screenshotPath;
};

} // namespace platform::detail
