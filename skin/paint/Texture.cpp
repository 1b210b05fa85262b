#include "skin/paint/Texture.h"
namespace skin {
void TileBitmap(platform::Bitmap&, platform::RECT&, const platform::Bitmap&, const TsMaskData&) {}
void TileMasked(platform::Bitmap&, platform::RECT&, const TCacheInfo&, const TsMaskData&, const platform::Bitmap&) {}
}
