// lumo-skin: the skin tool. Each command lives in a file of its own and is listed here.
#include "tools/lumo-skin/Command.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace lumoskin {

namespace {

// In the order --help lists them.
const Command* const commands[] = {
    &DecodeCommand,
    &ListCommand,
    &InfoCommand,
    &ExtractCommand,
    &PackCommand,
    &UnpackCommand,
    &SheetCommand,
    &RenderCommand,
};

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

void PrintToolHelp(std::FILE* out)
{
    std::fputs("usage: lumo-skin COMMAND [ARGUMENTS]\n"
               "       lumo-skin COMMAND --help\n"
               "\n"
               "Inspects and converts skins and skin images of Lumo TV Player.\n"
               "\n"
               "Commands:\n",
               out);
    for (const Command* command : commands)
        std::fprintf(out, "  %-10.*s %.*s\n", int(command->name.size()), command->name.data(),
                     int(command->summary.size()), command->summary.data());
}

void PrintUsage(std::FILE* out, const Command& command)
{
    std::fprintf(out, "usage: lumo-skin %.*s %.*s\n", int(command.name.size()), command.name.data(),
                 int(command.arguments.size()), command.arguments.data());
}

bool AsksForHelp(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == "--help" || argument == "-h")
            return true;
    }
    return false;
}

int Run(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        PrintToolHelp(stderr);
        return ExitUsage;
    }
    const std::string& name = arguments[0];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintToolHelp(stdout);
        return 0;
    }
    const Command* command = nullptr;
    for (const Command* candidate : commands)
        if (candidate->name == name)
            command = candidate;
    if (!command) {
        std::fprintf(stderr, "lumo-skin: unknown command '%s'\nRun 'lumo-skin --help' for the list of commands.\n",
                     name.c_str());
        return ExitUsage;
    }

    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (AsksForHelp(rest)) {
        PrintUsage(stdout, *command);
        std::fprintf(stdout, "\n%.*s\n", int(command->summary.size()), command->summary.data());
        if (!command->help.empty())
            std::fprintf(stdout, "\n%.*s", int(command->help.size()), command->help.data());
        return 0;
    }
    try {
        return command->run(rest);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "lumo-skin %s: %s\n", name.c_str(), e.what());
        PrintUsage(stderr, *command);
        return ExitUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumo-skin: %s\n", e.what());
        return ExitFailure;
    }
}

} // namespace

std::vector<std::string> Positionals(const std::vector<std::string>& arguments, std::size_t count)
{
    std::vector<std::string> positionals;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            positionals.push_back(argument);
        }
    }
    if (positionals.size() < count)
        throw UsageError("too few arguments");
    if (positionals.size() > count)
        throw UsageError("too many arguments");
    return positionals;
}

} // namespace lumoskin

int main(int argc, char** argv)
{
    return lumoskin::Run(std::vector<std::string>(argv + 1, argv + argc));
}
