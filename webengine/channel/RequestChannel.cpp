// The IO thread: one poll() over the wake-up counter, the listening socket and every web
// process's connection. Sockets are non-blocking so that one slow or broken web process never
// holds up the others; a connection that breaks the framing is closed, which its web process
// reads as "cancel" for the question it was waiting on.
#include "webengine/channel/RequestChannel.h"

#include "webengine/channel/RequestProtocol.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <utility>
#include <vector>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace webengine {

namespace {

// Answers not yet taken by a web process that keeps asking without reading; past this much the
// connection is not read until the answers are gone.
constexpr size_t OutputLimit = 64 * 1024;
constexpr size_t ReadChunk = 64 * 1024;

struct Connection {
    int fd = -1;
    std::string input;  // the unanswered part of what the web process sent
    std::string output; // answers not yet written
};

bool Fail(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
    return false;
}

std::string ErrnoText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// A private folder for the socket: the user's runtime folder when it is usable, else /tmp.
std::string MakePrivateFolder(std::string* error)
{
    std::vector<std::string> bases;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        bases.emplace_back(runtime);
    bases.emplace_back("/tmp");
    std::string lastError = "no folder for the request socket";
    for (const auto& base : bases) {
        std::string folder = base + "/lumo-requests-XXXXXX";
        if (folder.size() + 1 + std::strlen(RequestProtocol::SocketName) >= sizeof(sockaddr_un::sun_path)) {
            lastError = "the request socket's path would be too long under " + base;
            continue;
        }
        if (!::mkdtemp(folder.data())) {
            lastError = ErrnoText(("cannot make a folder under " + base).c_str());
            continue;
        }
        // mkdtemp's mode is narrowed by the umask; the owner needs all of it.
        if (::chmod(folder.c_str(), 0700) != 0) {
            lastError = ErrnoText("cannot set the request folder's mode");
            ::rmdir(folder.c_str());
            continue;
        }
        return folder;
    }
    Fail(error, lastError);
    return {};
}

} // namespace

constexpr int AcceptPauseMs = 50;

struct RequestChannel::Impl {
    RequestDecider decide;
    std::string folder;
    std::string socketPath;
    int listenFd = -1;
    int wakeFd = -1;
    std::thread io;
    std::thread::id ioId;
    std::atomic<bool> running{false};
    std::vector<Connection> connections; // the IO thread's alone
    std::vector<char> scratch = std::vector<char>(ReadChunk);

    // Out of descriptors, the listener is left alone for a moment instead of waking the thread
    // again at once.
    bool acceptPaused = false;

    void Run();
    void AcceptAll();
    bool Read(Connection& connection);
    bool AnswerQuestions(Connection& connection);
    bool Flush(Connection& connection);
    bool Decide(uint64_t pageId, std::string_view url);
    void RemoveFiles();
};

void RequestChannel::Impl::Run()
{
    std::vector<pollfd> fds;
    for (;;) {
        fds.clear();
        fds.push_back({wakeFd, POLLIN, 0});
        fds.push_back({listenFd, short(acceptPaused ? 0 : POLLIN), 0});
        for (const auto& connection : connections) {
            short events = connection.output.size() < OutputLimit ? POLLIN : 0;
            if (!connection.output.empty())
                events |= POLLOUT;
            fds.push_back({connection.fd, events, 0});
        }
        int ready = ::poll(fds.data(), fds.size(), acceptPaused ? AcceptPauseMs : -1);
        acceptPaused = false;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents)
            break;
        for (size_t i = 0; i < connections.size(); ++i) {
            Connection& connection = connections[i];
            short revents = fds[i + 2].revents;
            if (!revents)
                continue;
            bool keep = true;
            if (revents & (POLLIN | POLLHUP | POLLERR))
                keep = Read(connection) && AnswerQuestions(connection);
            if (keep && !connection.output.empty())
                keep = Flush(connection);
            if (!keep)
                CloseFd(connection.fd);
        }
        std::erase_if(connections, [](const Connection& c) { return c.fd < 0; });
        if (fds[1].revents & POLLIN)
            AcceptAll();
    }
    // Closing every connection and the listening socket makes each waiting web process, and each
    // one that tries to connect from now on, cancel its request.
    for (auto& connection : connections)
        CloseFd(connection.fd);
    connections.clear();
    CloseFd(listenFd);
    running = false;
}

void RequestChannel::Impl::AcceptAll()
{
    for (;;) {
        int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            connections.push_back(Connection{fd, {}, {}});
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
            acceptPaused = true;
        return;
    }
}

// False when the web process has gone or the socket failed.
bool RequestChannel::Impl::Read(Connection& connection)
{
    ssize_t n;
    do
        n = ::recv(connection.fd, scratch.data(), scratch.size(), 0);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
        connection.input.append(scratch.data(), size_t(n));
        return true;
    }
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
}

// Answers every complete question in the input; false when the input breaks the framing.
bool RequestChannel::Impl::AnswerQuestions(Connection& connection)
{
    size_t used = RequestProtocol::ReadQuestions(connection.input, [&](uint64_t pageId, std::string_view url) {
        bool cancel = Decide(pageId, url);
        connection.output.push_back(char(cancel ? RequestProtocol::AnswerCancel : RequestProtocol::AnswerGoOn));
    });
    if (used == RequestProtocol::Broken)
        return false;
    connection.input.erase(0, used);
    return true;
}

bool RequestChannel::Impl::Decide(uint64_t pageId, std::string_view url)
{
    try {
        return decide(pageId, url);
    } catch (...) {
        return true;
    }
}

bool RequestChannel::Impl::Flush(Connection& connection)
{
    size_t sent = 0;
    while (sent < connection.output.size()) {
        ssize_t n = ::send(connection.fd, connection.output.data() + sent, connection.output.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        return false;
    }
    connection.output.erase(0, sent);
    return true;
}

void RequestChannel::Impl::RemoveFiles()
{
    if (!socketPath.empty())
        ::unlink(socketPath.c_str());
    if (!folder.empty())
        ::rmdir(folder.c_str());
    socketPath.clear();
    folder.clear();
}

RequestChannel::RequestChannel()
    : impl_(new Impl)
{
}

RequestChannel::~RequestChannel()
{
    Stop();
    delete impl_;
}

bool RequestChannel::Start(RequestDecider decide, std::string* error)
{
    Impl& d = *impl_;
    if (d.io.joinable())
        return Fail(error, "the request channel is already started");
    if (!decide)
        return Fail(error, "the request channel needs a decider");

    d.folder = MakePrivateFolder(error);
    if (d.folder.empty())
        return false;
    d.socketPath = d.folder + "/" + RequestProtocol::SocketName;

    auto undo = [&d](std::string* error, std::string text) {
        CloseFd(d.listenFd);
        CloseFd(d.wakeFd);
        d.RemoveFiles();
        return Fail(error, std::move(text));
    };

    d.listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (d.listenFd < 0)
        return undo(error, ErrnoText("cannot make the request socket"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, d.socketPath.c_str(), d.socketPath.size() + 1);
    if (::bind(d.listenFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return undo(error, ErrnoText(("cannot bind the request socket " + d.socketPath).c_str()));
    if (::listen(d.listenFd, SOMAXCONN) != 0)
        return undo(error, ErrnoText("cannot listen on the request socket"));
    d.wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (d.wakeFd < 0)
        return undo(error, ErrnoText("cannot make the request channel's wake-up counter"));

    d.decide = std::move(decide);
    d.running = true;
    try {
        d.io = std::thread([&d] { d.Run(); });
    } catch (const std::exception& e) {
        d.running = false;
        d.decide = nullptr;
        return undo(error, std::string("cannot start the IO thread: ") + e.what());
    }
    d.ioId = d.io.get_id();
    return true;
}

void RequestChannel::Stop()
{
    Impl& d = *impl_;
    if (!d.io.joinable())
        return;
    uint64_t one = 1;
    while (::write(d.wakeFd, &one, sizeof one) < 0 && errno == EINTR) {
    }
    // From the decider itself the thread cannot be joined: it ends on its own, and a later Stop
    // (at the latest the destructor's) joins it and cleans up.
    if (std::this_thread::get_id() == d.ioId)
        return;
    d.io.join();
    d.ioId = {};
    CloseFd(d.wakeFd);
    CloseFd(d.listenFd);
    d.RemoveFiles();
    d.decide = nullptr;
    d.running = false;
}

bool RequestChannel::Running() const
{
    return impl_->running;
}

const std::string& RequestChannel::Folder() const
{
    return impl_->folder;
}

const std::string& RequestChannel::SocketPath() const
{
    return impl_->socketPath;
}

std::thread::id RequestChannel::IoThreadId() const
{
    return impl_->ioId;
}

} // namespace webengine
