#include "skin/paint/PaintItem.h"
namespace skin {
void PaintItemBG(const TsSkinModel&, int, const ItemPaintArgs&, platform::Bitmap&) {}
void PaintItem(const TsSkinModel&, int, const ItemPaintArgs&, platform::Bitmap&) {}
void PaintCornerImages(const TsSkinModel&, int, int, platform::RECT, platform::Bitmap&, const TCacheInfo&) {}
}
