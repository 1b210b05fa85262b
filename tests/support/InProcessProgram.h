// The program's windows built inside an end-to-end test program, as the real program starts
// them: the GTK backend on the private X server as the platform's, and the test engine loaded.
#pragma once

#include <string>

namespace toolkit {
class TApplication;
}

namespace e2e {

// Starts both; returns what stopped it, or an empty string when everything is ready.
std::string StartGtkWithTestEngine();

// Builds the program's seven windows on the settings file config and shows the main window.
// Returns the application, or null with problem saying why.
toolkit::TApplication* ShowProgram(const std::u16string& config, std::string& problem);

// Ends what ShowProgram and StartGtkWithTestEngine began: the windows, then the engine.
void EndProgram(toolkit::TApplication*& application);

} // namespace e2e
