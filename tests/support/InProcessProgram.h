// The program's windows built inside an end-to-end test program, as the real program starts
// them: the GTK backend on the private X server as the platform's, and the test engine loaded.
#pragma once

#include <string>

namespace e2e {

// Starts both; returns what stopped it, or an empty string when everything is ready.
std::string StartGtkWithTestEngine();

} // namespace e2e
