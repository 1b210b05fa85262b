// The skin engine's view of a picture: a 32-bit bitmap as is; any other picture gets alpha 255,
// except pure fuchsia pixels, which get alpha 0 (fuchsia is the skins' transparent colour).
#pragma once

#include "platform/image/Image.h"

namespace skin {

platform::Bitmap ToSkinBitmap(platform::DecodedImage image);

} // namespace skin
