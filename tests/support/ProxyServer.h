// A tiny HTTP server on 127.0.0.1 that the engine uses as its proxy: every request for a made-up
// host arrives as "GET http://host/path HTTP/1.1" and is answered from a table of resources. Each
// request line is logged, so a test can tell what reached the network and what never did.
// Connections are kept alive, one thread each, since a browser opens several at once.
#pragma once

#include "platform/core/AsciiCase.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

struct Resource {
    Resource(std::string type = "text/html; charset=utf-8", std::string content = {}, int code = 200,
             std::string redirect = {})
        : contentType(std::move(type)), body(std::move(content)), status(code), location(std::move(redirect))
    {
    }
    std::string contentType;
    std::string body;
    int status;
    std::string location; // for redirects
};

class ProxyServer {
public:
    ProxyServer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        int yes = 1;
        if (listener_ >= 0)
            ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 128) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { Accept(); });
    }

    ~ProxyServer()
    {
        stop_ = true;
        if (acceptor_.joinable())
            acceptor_.join();
        std::vector<std::thread> workers;
        {
            std::lock_guard lock(mutex_);
            workers.swap(workers_);
        }
        for (auto& w : workers)
            if (w.joinable())
                w.join();
        if (listener_ >= 0)
            ::close(listener_);
    }

    ProxyServer(const ProxyServer&) = delete;
    ProxyServer& operator=(const ProxyServer&) = delete;

    int Port() const { return port_; }
    std::string ProxySwitch() const { return "--proxy-server=127.0.0.1:" + std::to_string(port_); }

    // "host/path" (no scheme, no query) → resource.
    void Serve(const std::string& hostPath, Resource resource)
    {
        std::lock_guard lock(mutex_);
        table_[hostPath] = std::move(resource);
    }
    // Resources under a prefix of "host/path", made from the full "host/path".
    void ServePrefix(const std::string& prefix, std::function<Resource(const std::string& hostPath)> make)
    {
        std::lock_guard lock(mutex_);
        prefixes_.emplace_back(prefix, std::move(make));
    }

    // The request lines logged from position `from` on.
    std::vector<std::string> Log(size_t from = 0) const
    {
        std::lock_guard lock(mutex_);
        return std::vector<std::string>(log_.begin() + std::min(from, log_.size()), log_.end());
    }
    // Forgets what was asked so far, so that a test's counts cover its own requests only.
    void ClearLog()
    {
        std::lock_guard lock(mutex_);
        log_.clear();
    }
    // How many logged request lines ask for url ("http://host/path[?query]") exactly, by any method.
    int Count(const std::string& url) const
    {
        std::lock_guard lock(mutex_);
        std::string wanted = " " + url + " HTTP/";
        return int(std::count_if(log_.begin(), log_.end(), [&](const std::string& line) {
            size_t space = line.find(' ');
            return space != std::string::npos && line.compare(space, wanted.size(), wanted) == 0;
        }));
    }
    // How many logged request lines contain text anywhere.
    int CountContaining(const std::string& text) const
    {
        std::lock_guard lock(mutex_);
        return int(std::count_if(log_.begin(), log_.end(),
                                 [&](const std::string& line) { return line.find(text) != std::string::npos; }));
    }
    std::string LogText() const
    {
        std::string out;
        for (const std::string& line : Log())
            out += line + "\n";
        return out;
    }

private:
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread acceptor_;
    mutable std::mutex mutex_;
    std::vector<std::thread> workers_;
    std::vector<std::string> log_;
    std::map<std::string, Resource> table_;
    std::vector<std::pair<std::string, std::function<Resource(const std::string&)>>> prefixes_;

    void Accept()
    {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            std::lock_guard lock(mutex_);
            workers_.emplace_back([this, client] { Converse(client); });
        }
    }

    // Waits for readable data while the server runs; false at the end of the connection.
    bool Readable(int fd) const
    {
        while (!stop_) {
            pollfd p{fd, POLLIN, 0};
            int ready = ::poll(&p, 1, 100);
            if (ready > 0)
                return true;
            if (ready < 0)
                return false;
        }
        return false;
    }

    // Appends what the client sent next; false when it sent nothing in time or went away.
    bool ReadMore(int client, std::string& pending)
    {
        char buffer[8192];
        if (!Readable(client))
            return false;
        ssize_t n = ::read(client, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        pending.append(buffer, size_t(n));
        return true;
    }

    void Converse(int client)
    {
        std::string pending;
        for (;;) {
            size_t end;
            while ((end = pending.find("\r\n\r\n")) == std::string::npos)
                if (pending.size() > 65536 || !ReadMore(client, pending)) {
                    ::close(client);
                    return;
                }
            std::string head = pending.substr(0, end);
            pending.erase(0, end + 4);
            // Request bodies (none expected from the pages here) are skipped by their length.
            size_t bodyLength = HeaderNumber(head, "content-length");
            while (pending.size() < bodyLength)
                if (!ReadMore(client, pending)) {
                    ::close(client);
                    return;
                }
            pending.erase(0, bodyLength);

            std::string line = head.substr(0, head.find("\r\n"));
            {
                std::lock_guard lock(mutex_);
                log_.push_back(line);
            }
            if (!Send(client, Answer(line))) {
                ::close(client);
                return;
            }
        }
    }

    static size_t HeaderNumber(const std::string& head, const std::string& lowerName)
    {
        const std::string lower = platform::LowerAscii(head);
        size_t at = lower.find("\r\n" + lowerName + ":");
        if (at == std::string::npos)
            return 0;
        return size_t(std::strtoull(head.c_str() + at + lowerName.size() + 3, nullptr, 10));
    }

    static bool Send(int fd, const std::string& data)
    {
        size_t sent = 0;
        while (sent < data.size()) {
            ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += size_t(n);
        }
        return true;
    }

    std::string Answer(const std::string& line)
    {
        // "GET http://host/path?query HTTP/1.1" → "host/path".
        std::string target;
        size_t space = line.find(' ');
        if (space != std::string::npos)
            target = line.substr(space + 1, line.find(' ', space + 1) - space - 1);
        if (size_t scheme = target.find("://"); scheme != std::string::npos)
            target.erase(0, scheme + 3);
        if (size_t query = target.find_first_of("?#"); query != std::string::npos)
            target.erase(query);

        Resource resource;
        bool found = false;
        {
            std::lock_guard lock(mutex_);
            if (auto it = table_.find(target); it != table_.end()) {
                resource = it->second;
                found = true;
            }
            else {
                for (auto& [prefix, make] : prefixes_) {
                    if (target.rfind(prefix, 0) == 0) {
                        resource = make(target);
                        found = true;
                        break;
                    }
                }
            }
        }
        if (!found)
            resource = Resource{"text/plain", "not here", 404, {}};
        std::string reason = resource.status == 200   ? "OK"
                             : resource.status == 302 ? "Found"
                             : resource.status == 404 ? "Not Found"
                                                      : "Status";
        std::string answer = "HTTP/1.1 " + std::to_string(resource.status) + " " + reason +
                             "\r\nContent-Type: " + resource.contentType +
                             "\r\nCache-Control: no-store\r\nConnection: keep-alive"
                             // Pages opened from local files read the sites' data across origins.
                             "\r\nAccess-Control-Allow-Origin: *\r\nContent-Length: " +
                             std::to_string(resource.body.size()) + "\r\n";
        if (!resource.location.empty())
            answer += "Location: " + resource.location + "\r\n";
        return answer + "\r\n" + resource.body;
    }
};

// Small media and pictures that the engine can decode.
inline std::string TinyPng()
{
    // A 1×1 red PNG.
    static const unsigned char bytes[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
        0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x90, 0x77, 0x53,
        0xDE, 0x00, 0x00, 0x00, 0x0C, 0x49, 0x44, 0x41, 0x54, 0x08, 0xD7, 0x63, 0xF8, 0xCF, 0xC0, 0x00,
        0x00, 0x03, 0x01, 0x01, 0x00, 0x18, 0xDD, 0x8D, 0xB0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E,
        0x44, 0xAE, 0x42, 0x60, 0x82};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

inline std::string TinyGif()
{
    // A 1×1 transparent GIF.
    static const unsigned char bytes[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                          0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04,
                                          0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
                                          0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// A quarter of a second of silence: 8 kHz, mono, 8-bit PCM.
inline std::string TinyWav()
{
    const uint32_t samples = 2000;
    std::string out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += char((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&](uint16_t v) {
        out += char(v & 0xFF);
        out += char(v >> 8);
    };
    out += "RIFF";
    u32(36 + samples);
    out += "WAVEfmt ";
    u32(16);
    u16(1);    // PCM
    u16(1);    // mono
    u32(8000); // sample rate
    u32(8000); // bytes per second
    u16(1);    // block align
    u16(8);    // bits per sample
    out += "data";
    u32(samples);
    out.append(samples, char(0x80));
    return out;
}

} // namespace e2e
