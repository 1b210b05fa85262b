// What a web process writes to the IO thread: any bytes must either read as whole questions
// that encode back to the same bytes, or break the connection; never read out of bounds.
#include "webengine/channel/RequestProtocol.h"

#include <cstdlib>
#include <string>

using namespace webengine::RequestProtocol;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string again;
    size_t used = ReadQuestions(input, [&](uint64_t pageId, std::string_view url) {
        if (url.size() > MaxUrlBytes || !IsValidUtf8(url))
            std::abort();
        unsigned char header[HeaderSize];
        EncodeHeader(Header{pageId, uint32_t(url.size())}, header);
        again.append(reinterpret_cast<const char*>(header), HeaderSize);
        again.append(url);
    });
    if (used == Broken)
        return 0;
    if (used > size || again != input.substr(0, used))
        std::abort();
    // What is left is less than one whole question.
    if (size - used >= HeaderSize) {
        Header next = DecodeHeader(data + used);
        if (size - used >= HeaderSize + next.urlLength)
            std::abort();
    }
    return 0;
}
