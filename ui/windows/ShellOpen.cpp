#include "ui/windows/ShellOpen.h"

#include "platform/system/Shell.h"
#include "toolkit/TApplication.h"

namespace ui {

void OpenInBrowser(toolkit::StringView address)
{
    // Failures are not reported: without a default browser the click simply shows nothing.
    toolkit::String file(address);
    platform::ShellExecute(toolkit::Application ? toolkit::Application->Handle() : nullptr, u"open", file.c_str(),
                           nullptr, nullptr, platform::SW_SHOWNORMAL);
}

} // namespace ui
