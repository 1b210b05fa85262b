#include "tests/support/ToolRun.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace testsupport {

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::string ShellQuote(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ToolRun RunTool(const std::string& arguments, const std::string& workingFolder, const std::string& environment)
{
    const std::string tool = std::string(LUMO_BINARY_DIR) + "/lumo-skin";
    if (!std::filesystem::exists(tool))
        throw std::runtime_error(tool + " is missing: build the lumo-skin target");
    const std::string out = workingFolder + "/.tool-out.txt", err = workingFolder + "/.tool-err.txt";
    const std::string command = "cd " + ShellQuote(workingFolder) + " && " + environment + " " + ShellQuote(tool) +
                                " " + arguments + " >" + ShellQuote(out) + " 2>" + ShellQuote(err);
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

} // namespace testsupport
