// The clipboard is the backend's: the system's on real windows, a string on the virtual screen.
#include "platform/system/Clipboard.h"

#include "platform/core/Backend.h"

namespace platform {

String GetClipboardText()
{
    return GetBackend().ClipboardText();
}

void SetClipboardText(StringView text)
{
    GetBackend().SetClipboardText(text);
}

} // namespace platform
