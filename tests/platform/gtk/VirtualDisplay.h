// A private X server (Xvfb) for one process: it picks a free display number itself and DISPLAY
// points at it for as long as the process runs. Programs that need real windows without a
// display of their own (the end-to-end tests, the presentation benchmark) start it first.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gtktest {

class VirtualDisplay {
public:
    // The process's display, started on first use; Running() tells whether it came up.
    static VirtualDisplay& Instance()
    {
        static VirtualDisplay display;
        return display;
    }

    bool Running() const { return pid_ > 0 && !name_.empty(); }
    const std::string& Name() const { return name_; }
    const std::string& Error() const { return error_; }

    ~VirtualDisplay()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }

private:
    pid_t pid_ = -1;
    std::string name_;
    std::string error_;

    VirtualDisplay()
    {
        int fds[2];
        if (::pipe(fds) != 0) {
            error_ = "pipe failed";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            int quiet = ::open("/dev/null", O_WRONLY);
            if (quiet >= 0) {
                ::dup2(quiet, 1);
                ::dup2(quiet, 2);
            }
            std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                     "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        if (pid_ < 0) {
            ::close(fds[0]);
            error_ = "fork failed";
            return;
        }
        // Xvfb writes its display number once it accepts connections.
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        while (number.find('\n') == std::string::npos) {
            int ready = ::poll(&p, 1, 20000);
            if (ready <= 0)
                break;
            char buffer[32];
            ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            number.append(buffer, size_t(n));
        }
        ::close(fds[0]);
        while (!number.empty() && (number.back() == '\n' || number.back() == '\r'))
            number.pop_back();
        if (number.empty()) {
            error_ = "Xvfb did not start (is it installed?)";
            return;
        }
        name_ = ":" + number;
        ::setenv("DISPLAY", name_.c_str(), 1);
    }
};

} // namespace gtktest
