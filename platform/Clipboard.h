// The clipboard, as text.
#pragma once

#include "platform/Types.h"

namespace platform {

String GetClipboardText();
void SetClipboardText(StringView text);

} // namespace platform
