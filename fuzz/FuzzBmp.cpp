// The bitmap reader on arbitrary bytes: it refuses or decodes, and what it decodes survives the
// writer unchanged.
#include "platform/image/Image.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::DecodedImage image;
    try {
        image = platform::DecodeBmp({data, size});
    } catch (const platform::ImageError&) {
        return 0;
    }
    if (std::int64_t(image.bitmap.Width()) * image.bitmap.Height() <= 256 * 256) {
        std::vector<std::uint8_t> written = platform::EncodeBmp(image.bitmap);
        if (!(platform::DecodeBmp(written).bitmap == image.bitmap))
            std::abort();
    }
    return 0;
}
