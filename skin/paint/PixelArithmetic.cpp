#include "skin/paint/PixelArithmetic.h"
namespace skin {
void BlendColorRect(platform::Bitmap&, platform::RECT, int, int) {}
void SumBmpRect(platform::Bitmap&, const platform::Bitmap&, int, platform::RECT, platform::POINT) {}
void FillRect32(platform::Bitmap&, platform::RECT, int, platform::BYTE) {}
void CopyTransRect(platform::Bitmap&, const platform::Bitmap&, int, int, platform::RECT, int, const TCacheInfo&, bool) {}
void CopyByMask(platform::RECT, platform::RECT, platform::Bitmap&, const platform::Bitmap&, int, const TCacheInfo&, bool) {}
void CopyRect32(platform::Bitmap&, int, int, const platform::Bitmap&, platform::RECT) {}
void CopyParentBG(platform::Bitmap&, platform::RECT, const TCacheInfo&) {}
}
