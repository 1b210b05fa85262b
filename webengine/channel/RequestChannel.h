// The browser process's end of the request channel: the engine's IO thread. Each web process
// connects to a Unix socket in a private folder and, for every request it is about to send, writes
// the page's identifier and the address, then waits for one answer: go on or cancel. The IO thread
// decides each request with the decider it was started with, concurrently with the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace webengine {

// Called on the IO thread for every request; true cancels it.
using RequestDecider = std::function<bool(uint64_t pageId, std::string_view url)>;

class RequestChannel {
public:
    RequestChannel();
    ~RequestChannel(); // stops
    RequestChannel(const RequestChannel&) = delete;
    RequestChannel& operator=(const RequestChannel&) = delete;

    // Makes a private folder (mode 0700) holding the listening socket and starts the IO thread.
    // False, with a reason in *error, when any of it fails; nothing is left behind then.
    bool Start(RequestDecider decide, std::string* error = nullptr);
    // Closes every connection (their web processes then cancel whatever they ask), joins the IO
    // thread and removes the socket and its folder. Safe to call twice.
    void Stop();

    bool Running() const;
    const std::string& Folder() const;     // for the web process sandbox
    const std::string& SocketPath() const; // handed to the extension
    std::thread::id IoThreadId() const;

private:
    struct Impl;
    Impl* impl_;
};

} // namespace webengine
