// The web process asks on a blocking socket: the request it is about to send waits for the answer
// anyway. Whatever goes wrong closes the socket, so the next question starts on a fresh
// connection, and the request counts as cancelled.
#include "webengine/channel/RequestChannelClient.h"

#include "webengine/channel/RequestProtocol.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

namespace webengine {

namespace {

int Connect(const std::string& path)
{
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int result;
    do
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, iovec* parts, int count)
{
    while (count > 0) {
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = size_t(count);
        ssize_t n = ::sendmsg(fd, &message, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        auto left = size_t(n);
        while (count > 0 && left >= parts->iov_len) {
            left -= parts->iov_len;
            ++parts;
            --count;
        }
        if (count > 0) {
            parts->iov_base = static_cast<char*>(parts->iov_base) + left;
            parts->iov_len -= left;
        }
    }
    return true;
}

// The answer byte, or -1 when none came.
int ReceiveAnswer(int fd)
{
    unsigned char answer = 0;
    for (;;) {
        ssize_t n = ::recv(fd, &answer, 1, 0);
        if (n == 1)
            return answer;
        if (n < 0 && errno == EINTR)
            continue;
        return -1;
    }
}

} // namespace

RequestChannelClient::RequestChannelClient(std::string socketPath)
    : socketPath_(std::move(socketPath))
{
}

RequestChannelClient::~RequestChannelClient()
{
    if (socket_ >= 0)
        ::close(socket_);
}

bool RequestChannelClient::ShouldCancel(uint64_t pageId, std::string_view url)
{
    if (url.size() > RequestProtocol::MaxUrlBytes)
        return true;

    std::lock_guard lock(mutex_);
    if (socket_ < 0)
        socket_ = Connect(socketPath_);
    if (socket_ < 0)
        return true;

    unsigned char header[RequestProtocol::HeaderSize];
    RequestProtocol::EncodeHeader({pageId, uint32_t(url.size())}, header);
    iovec parts[2] = {{header, sizeof header}, {const_cast<char*>(url.data()), url.size()}};
    int answer = SendAll(socket_, parts, url.empty() ? 1 : 2) ? ReceiveAnswer(socket_) : -1;
    if (answer == RequestProtocol::AnswerGoOn)
        return false;
    if (answer != RequestProtocol::AnswerCancel) {
        ::close(socket_);
        socket_ = -1;
    }
    return true;
}

} // namespace webengine
