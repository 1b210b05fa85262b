#include "skin/paint/SkinGlyph.h"
namespace skin {
void DrawSkinGlyph(platform::Bitmap&, platform::POINT, int, bool, const TsMaskData&, const TsSkinModel&, const TCacheInfo&) {}
void BlendGlyphByMask(platform::Bitmap&, platform::POINT, const platform::Bitmap&, platform::RECT, int, bool) {}
void DrawAlphaGlyph(platform::Bitmap&, platform::POINT, const platform::Bitmap&, platform::RECT, int) {}
bool AlphaIsEmpty(const platform::Bitmap&, platform::RECT) { return false; }
}
