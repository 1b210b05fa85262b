// The program's seven windows: created hidden in their fixed order, the message loop, and their
// destruction in the reverse order.
#pragma once

#include "platform/core/Types.h"

namespace toolkit {
class TApplication;
}

namespace app {

// Creates the application object and the seven windows (the main window first), in the global
// of each. The platform must have been started.
toolkit::TApplication* CreateWindowSet();
// The application object alone, titled as the program's.
toolkit::TApplication* CreateApplication();
// The seven windows on application, in their order. A settingsFile other than empty takes the
// place of Config.ini beside the program before any window reads it (the main window opens the
// store; the settings window reads the skin and the proxy from it).
void CreateWindows(toolkit::TApplication* application, platform::StringView settingsFile = {});
// Runs the message loop until the main window closes; answers the loop's quit code.
int RunMessageLoop(toolkit::TApplication* application);
// Destroys the windows, last created first, and the application object.
void DestroyWindowSet(toolkit::TApplication* application);
// Clears the seven globals once their windows are gone.
void ForgetWindowSet();
// All of it, on the platform the program started; answers the exit code.
int RunWindowSet();

} // namespace app
