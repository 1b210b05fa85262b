// The program's seven windows: created hidden in their fixed order, the message loop, and their
// destruction in the reverse order.
#pragma once

namespace toolkit {
class TApplication;
}

namespace app {

// Creates the application object and the seven windows (the main window first), in the global
// of each. The platform must have been started.
toolkit::TApplication* CreateWindowSet();
// Runs the message loop until the main window closes; answers the loop's quit code.
int RunMessageLoop(toolkit::TApplication* application);
// Destroys the windows, last created first, and the application object.
void DestroyWindowSet(toolkit::TApplication* application);
// Clears the seven globals once their windows are gone.
void ForgetWindowSet();
// All of it, on the platform the program started; answers the exit code.
int RunWindowSet();

} // namespace app
