#include "platform/system/Shell.h"

#include "platform/system/LastError.h"
#include "platform/system/Paths.h"
#include "platform/system/StringCompare.h"
#include "platform/core/AsciiCase.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

constexpr std::intptr_t kStarted = 42;

HINSTANCE Answer(std::intptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// "scheme:..." with a scheme of two or more characters, so that "c:\x" stays a path.
bool HasScheme(StringView text)
{
    std::size_t colon = text.find(u':');
    if (colon == StringView::npos || colon < 2 || !IsAsciiLetter(text[0]))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        char16_t c = text[i];
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return true;
}

bool StartsWithIgnoringCase(StringView text, StringView prefix)
{
    return text.size() >= prefix.size() && SameTextOrdinal(text.substr(0, prefix.size()), prefix);
}

// A host name with at least two labels and a top-level label of letters, optionally followed by a
// port and a path: what a user or the program writes for a web address without its scheme.
bool LooksLikeWebAddress(StringView text)
{
    if (text.empty() || text.find_first_of(u" \t\r\n\\\"<>") != StringView::npos)
        return false;
    if (StartsWithIgnoringCase(text, u"www.") || StartsWithIgnoringCase(text, u"ftp."))
        return text.size() > 4;
    StringView host = text.substr(0, text.find_first_of(u"/?#"));
    host = host.substr(0, host.find(u':'));
    if (host.empty() || host.front() == u'.' || host.back() == u'.' || host.find(u"..") != StringView::npos)
        return false;
    std::size_t lastDot = host.rfind(u'.');
    if (lastDot == StringView::npos)
        return false;
    for (char16_t c : host) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'-' && c != u'.' && c < 0x80)
            return false;
    }
    StringView topLevel = host.substr(lastDot + 1);
    if (topLevel.size() < 2)
        return false;
    for (char16_t c : topLevel) {
        if (!IsAsciiLetter(c) && c < 0x80)
            return false;
    }
    return true;
}

bool IsAbsolute(StringView path)
{
    return (!path.empty() && (path[0] == u'/' || path[0] == u'\\')) || (path.size() >= 2 && path[1] == u':');
}

std::string FindProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        struct stat info;
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

// An executable file that is a program (ELF or a script), as opposed to a document that merely
// carries execute permission, as every file on some mounted disks does.
bool IsProgramFile(const std::string& path, const struct stat& info)
{
    if (!S_ISREG(info.st_mode) || access(path.c_str(), X_OK) != 0)
        return false;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    char head[4] = {};
    ssize_t got = read(fd, head, sizeof head);
    close(fd);
    return (got == 4 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') ||
           (got >= 2 && head[0] == '#' && head[1] == '!');
}

std::string AbsoluteNative(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char* cwd = getcwd(nullptr, 0);
    std::string result = cwd ? std::string(cwd) + "/" + path : path;
    std::free(cwd);
    return result;
}

// Sends the child's failure (an errno value) back through the pipe; async-signal-safe.
[[noreturn]] void ReportAndExit(int pipeFd, int error)
{
    while (write(pipeFd, &error, sizeof error) < 0 && errno == EINTR) {}
    _exit(127);
}

// Starts program with argv in folder (empty: the current one) as a grandchild that nobody
// waits for: the child in between ends at once and is reaped here, so no zombie stays, and the
// grandchild belongs to init. Answers 0 once the program runs, else the errno of the failure.
int Spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder)
{
    // Everything the child needs is prepared here: after fork only async-signal-safe calls.
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    rlimit files{};
    int maxFd = getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY ? int(files.rlim_cur) : 4096;
    if (maxFd > 65536)
        maxFd = 65536;

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return errno;
    int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);

    pid_t child = fork();
    if (child < 0) {
        int error = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (nullFd >= 0)
            close(nullFd);
        return error;
    }
    if (child == 0) {
        close(pipeFds[0]);
        setsid();
        pid_t grandchild = fork();
        if (grandchild < 0)
            ReportAndExit(pipeFds[1], errno);
        if (grandchild > 0)
            _exit(0);
        if (nullFd >= 0)
            dup2(nullFd, STDIN_FILENO);
        // What this process blocks or ignores is its own business, not the started program's.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        for (int signal = 1; signal < NSIG; ++signal)
            sigaction(signal, &byDefault, nullptr);
        // Descriptors the program opened without close-on-exec must not leak into another program.
        if (syscall(SYS_close_range, 3U, ~0U, 4U /* CLOSE_RANGE_CLOEXEC */) != 0) {
            for (int fd = 3; fd < maxFd; ++fd)
                fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        if (!folder.empty() && chdir(folder.c_str()) != 0)
            ReportAndExit(pipeFds[1], errno);
        execve(program.c_str(), argv.data(), environ);
        ReportAndExit(pipeFds[1], errno);
    }

    close(pipeFds[1]);
    if (nullFd >= 0)
        close(nullFd);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    // The pipe closes without a word when execve succeeds.
    int error = 0;
    ssize_t got;
    while ((got = read(pipeFds[0], &error, sizeof error)) < 0 && errno == EINTR) {}
    close(pipeFds[0]);
    if (got == ssize_t(sizeof error))
        return error;
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return EAGAIN;
    return 0;
}

HINSTANCE Fail(std::intptr_t answer, DWORD error)
{
    SetLastError(error);
    return Answer(answer);
}

HINSTANCE AnswerFor(int error)
{
    switch (error) {
    case 0: SetLastError(ERROR_SUCCESS); return Answer(kStarted);
    case ENOENT: return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
    case ENOTDIR: return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
    case EACCES:
    case EPERM: return Fail(SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED);
    case ENOEXEC: return Fail(SE_ERR_BADFORMAT, ERROR_BAD_FORMAT);
    case ENOMEM:
    case EAGAIN: return Fail(SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY);
    default: return Fail(SE_ERR_ACCESSDENIED, ErrorFromErrno(error));
    }
}

HINSTANCE OpenWithHandler(const std::string& target, const std::string& folder)
{
    if (std::string opener = FindProgram("xdg-open"); !opener.empty())
        return AnswerFor(Spawn(opener, {opener, target}, folder));
    if (std::string gio = FindProgram("gio"); !gio.empty())
        return AnswerFor(Spawn(gio, {gio, "open", target}, folder));
    return Fail(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
}

} // namespace

std::vector<String> SplitCommandLine(StringView line)
{
    std::vector<String> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        if (i == line.size())
            return arguments;
        String argument;
        bool quoted = false;
        while (i < line.size()) {
            char16_t c = line[i];
            if (!quoted && (c == u' ' || c == u'\t'))
                break;
            if (c == u'\\') {
                std::size_t run = 0;
                while (i + run < line.size() && line[i + run] == u'\\')
                    ++run;
                if (i + run < line.size() && line[i + run] == u'"') {
                    argument.append(run / 2, u'\\');
                    if (run % 2 == 1) {
                        argument.push_back(u'"');
                        i += run + 1;
                    } else {
                        i += run;
                    }
                } else {
                    argument.append(run, u'\\');
                    i += run;
                }
                continue;
            }
            if (c == u'"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                    argument.push_back(u'"');
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            argument.push_back(c);
            ++i;
        }
        arguments.push_back(std::move(argument));
    }
}

HINSTANCE ShellExecute(HWND, const WCHAR* operation, const WCHAR* file, const WCHAR* parameters,
                       const WCHAR* directory, int)
{
    StringView verb = operation ? StringView(operation) : StringView();
    if (!verb.empty() && !SameTextOrdinal(verb, u"open") && !SameTextOrdinal(verb, u"explore"))
        return Fail(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    StringView target = file ? StringView(file) : StringView();
    if (target.empty())
        return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);

    std::string folder;
    if (directory && *directory) {
        folder = NativePath(directory);
        struct stat info;
        if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
    }

    if (HasScheme(target))
        return OpenWithHandler(Utf16ToUtf8(target), folder);

    String candidate(target);
    if (!folder.empty() && !IsAbsolute(target))
        candidate = IncludeTrailingPathDelimiter(Utf8ToUtf16(folder)) + candidate;
    std::string path = NativePath(candidate);
    struct stat info;
    int missing = stat(path.c_str(), &info) == 0 ? 0 : errno;
    if (missing == 0) {
        path = AbsoluteNative(path);
        if (IsProgramFile(path, info)) {
            std::vector<std::string> arguments{path};
            for (const String& argument : SplitCommandLine(parameters ? StringView(parameters) : StringView()))
                arguments.push_back(Utf16ToUtf8(argument));
            return AnswerFor(Spawn(path, arguments, folder));
        }
        return OpenWithHandler(path, folder);
    }
    if (!IsAbsolute(target) && LooksLikeWebAddress(target)) {
        const char* scheme = StartsWithIgnoringCase(target, u"ftp.") ? "ftp://" : "http://";
        return OpenWithHandler(scheme + Utf16ToUtf8(target), folder);
    }
    return AnswerFor(missing == ENOTDIR ? ENOTDIR : ENOENT);
}

} // namespace platform
