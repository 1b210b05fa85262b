#include "skin/model/SkinBitmap.h"

#include "skin/model/SkinColors.h"

namespace skin {

using namespace platform;

Bitmap ToSkinBitmap(DecodedImage image)
{
    bool keepsAlpha = (image.format == ImageFormat::Bmp && image.bitsPerPixel == 32) ||
                      (image.format == ImageFormat::Png && image.hasAlpha);
    if (keepsAlpha)
        return std::move(image.bitmap);
    constexpr PixelBGRA fuchsia = MakePixel(255, 0, 255, 0);
    PixelBGRA* p = image.bitmap.Data();
    for (std::size_t i = 0, n = std::size_t(image.bitmap.Width()) * std::size_t(image.bitmap.Height()); i < n; ++i)
        p[i] = IsFuchsiaPixel(p[i]) ? fuchsia : (p[i] | 0xFF000000u);
    return std::move(image.bitmap);
}

} // namespace skin
