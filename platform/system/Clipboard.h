// The clipboard, as text.
#pragma once

#include "platform/core/Types.h"

namespace platform {

String GetClipboardText();
void SetClipboardText(StringView text);

} // namespace platform
