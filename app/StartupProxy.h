// The stored proxy reaches the browser engine and the system web views at start. The engine reads
// its switches from the command line, so the proxy joins the arguments as the engine's own
// "--proxy-server" switch before the engine is loaded. A switch already on the command line wins,
// and the web views then take that one too, so every page of the program goes the same way.
#pragma once

#include <string>
#include <vector>

namespace app {

class StartupArguments {
public:
    // The process's arguments, with the proxy stored in configPath added when it applies. Nothing
    // is read in an engine sub-process (one started with "--type="): its switches come from the
    // browser process, and sub-processes never touch the settings file.
    StartupArguments(int argc, char** argv, const std::u16string& configPath);

    int Count() const { return int(pointers_.size()) - 1; }
    char** Values() { return pointers_.data(); }
    // The proxy handed on ("host:port" or as the command line gave it); empty when none.
    const std::string& Proxy() const { return proxy_; }

private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
    std::string proxy_;
};

} // namespace app
