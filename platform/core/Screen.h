// The screen the windows live on, as the backend reports it.
#pragma once

#include "platform/core/Types.h"

namespace platform {

SIZE GetScreenSize();
// The screen less panels and docks.
RECT GetWorkArea();

} // namespace platform
