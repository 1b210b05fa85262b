// The framing both ends of the request channel speak. A question is a fixed header (the page's
// identifier, then the address's length in bytes, both in host byte order since both ends run on
// the same machine) followed by the address in UTF-8; the answer is one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace webengine::RequestProtocol {

constexpr size_t HeaderSize = sizeof(uint64_t) + sizeof(uint32_t);

// Longer addresses are cancelled by the web process without asking, and a header announcing one
// marks the connection as broken.
constexpr uint32_t MaxUrlBytes = 32u * 1024 * 1024;

constexpr unsigned char AnswerGoOn = 0;
constexpr unsigned char AnswerCancel = 1;

// Name of the listening socket inside the channel's private folder.
constexpr const char* SocketName = "requests";

struct Header {
    uint64_t pageId = 0;
    uint32_t urlLength = 0;
};

inline void EncodeHeader(const Header& header, unsigned char (&out)[HeaderSize])
{
    std::memcpy(out, &header.pageId, sizeof header.pageId);
    std::memcpy(out + sizeof header.pageId, &header.urlLength, sizeof header.urlLength);
}

inline Header DecodeHeader(const unsigned char* in)
{
    Header header;
    std::memcpy(&header.pageId, in, sizeof header.pageId);
    std::memcpy(&header.urlLength, in + sizeof header.pageId, sizeof header.urlLength);
    return header;
}

} // namespace webengine::RequestProtocol
