// Running the lumo-skin tool as a user runs it, from a shell.
#pragma once

#include <string>

namespace testsupport {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs "lumo-skin ARGUMENTS" through the shell in workingFolder, with environment assignments
// (such as "LUMO_DRIVE_ROOT=/x") put before it; the output goes through files in workingFolder.
// Throws when the tool has not been built.
ToolRun RunTool(const std::string& arguments, const std::string& workingFolder, const std::string& environment = "");

// A word the shell passes on unchanged: single-quoted.
std::string ShellQuote(const std::string& word);

} // namespace testsupport
