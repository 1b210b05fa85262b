// Every picture decoder on arbitrary bytes, chosen by signature as skin images are: each input is
// refused or decoded, and a decoded picture survives the skin view and the PNG writer.
#include "platform/image/Image.h"
#include "skin/model/SkinBitmap.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::DecodedImage image;
    try {
        image = platform::DecodeImage({data, size});
    } catch (const platform::ImageError&) {
        return 0;
    }
    platform::Bitmap seen = skin::ToSkinBitmap(image);
    if (seen.Width() != image.bitmap.Width() || seen.Height() != image.bitmap.Height())
        std::abort();
    if (std::int64_t(seen.Width()) * seen.Height() <= 256 * 256) {
        if (!(platform::DecodePng(platform::EncodePng(seen)).bitmap == seen))
            std::abort();
    }
    return 0;
}
