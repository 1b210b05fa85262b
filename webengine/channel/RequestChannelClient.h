// The web process's end of the request channel (see RequestChannel.h). Fails closed: whenever the
// IO thread cannot be reached or does not answer properly, the request counts as cancelled.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace webengine {

class RequestChannelClient {
public:
    explicit RequestChannelClient(std::string socketPath);
    ~RequestChannelClient();
    RequestChannelClient(const RequestChannelClient&) = delete;
    RequestChannelClient& operator=(const RequestChannelClient&) = delete;

    // Asks the IO thread about one request and waits for the answer; true: cancel. Connects on
    // first use; after a failure the next call connects anew.
    bool ShouldCancel(uint64_t pageId, std::string_view url);

private:
    std::string socketPath_;
    int socket_ = -1;
    std::mutex mutex_;
};

} // namespace webengine
