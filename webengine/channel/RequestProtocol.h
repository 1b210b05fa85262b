// The framing both ends of the request channel speak. A question is a fixed header (the page's
// identifier, then the address's length in bytes, both in host byte order since both ends run on
// the same machine) followed by the address in UTF-8; the answer is one byte.
#pragma once

#include "platform/text/Utf16.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

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

// Shortest forms only, no surrogates, nothing past U+10FFFF.
inline bool IsValidUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= s.size())
            return false;
        char32_t cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(s[i + size_t(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || platform::IsSurrogate(cp))
            return false;
        i += size_t(extra) + 1;
    }
    return true;
}

constexpr size_t Broken = size_t(-1);

// Reads the complete questions at the front of input, calling ask(pageId, url) for each in order;
// answers how many bytes they took, or Broken when the input breaks the framing (an impossible
// length or an address that is not UTF-8), after which nothing more of it may be read.
template <typename Ask>
size_t ReadQuestions(std::string_view input, Ask&& ask)
{
    size_t used = 0;
    while (input.size() - used >= HeaderSize) {
        Header header = DecodeHeader(reinterpret_cast<const unsigned char*>(input.data() + used));
        if (header.urlLength > MaxUrlBytes)
            return Broken;
        size_t total = HeaderSize + header.urlLength;
        if (input.size() - used < total)
            break;
        std::string_view url = input.substr(used + HeaderSize, header.urlLength);
        if (!IsValidUtf8(url))
            return Broken;
        ask(header.pageId, url);
        used += total;
    }
    return used;
}

} // namespace webengine::RequestProtocol
