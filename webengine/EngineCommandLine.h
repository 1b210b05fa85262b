// The engine's command-line object: a program, its switches and its arguments, parsed and
// written back the way the engine's own processes expect them.
#pragma once

#include "engine/capi/cef_objects.h"

#include <string>
#include <string_view>

namespace webengine {

// A new object holding argv (argv[0] is the program), with one reference for the caller.
// A read-only object ignores every change asked of it.
cef_command_line_t* NewCommandLine(int argc, const char* const* argv, bool readOnly);

// Replaces the process's command line, which cef_command_line_get_global answers from then on.
// The strings are copied; objects handed out earlier keep what they held.
void SetGlobalCommandLine(int argc, const char* const* argv);

// The last value given to the switch, in UTF-8; empty when it is absent or has no value.
std::string CommandLineSwitchValue(cef_command_line_t* commandLine, std::string_view name);

} // namespace webengine
