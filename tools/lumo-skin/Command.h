// A command of the lumo-skin tool: one file per command, listed in the table in Main.cpp.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumoskin {

struct Command {
    std::string_view name;
    std::string_view arguments; // as shown after the command's name in its usage line
    std::string_view summary;   // one line, for the tool's --help
    std::string_view help;      // the rest of the command's --help
    int (*run)(const std::vector<std::string>& arguments);
};

// Wrong arguments: the tool prints the message and the command's usage, and exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command's positional arguments; an option the command does not know, or a count other
// than `count`, is a usage error. "--" ends the options.
std::vector<std::string> Positionals(const std::vector<std::string>& arguments, std::size_t count);

// The commands, one declaration each.
extern const Command DecodeCommand;
extern const Command ListCommand;
extern const Command InfoCommand;
extern const Command ExtractCommand;
extern const Command PackCommand;
extern const Command UnpackCommand;
extern const Command SheetCommand;
extern const Command RenderCommand;

} // namespace lumoskin
