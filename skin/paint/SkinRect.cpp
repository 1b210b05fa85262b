#include "skin/paint/SkinRect.h"
namespace skin {
BorderWidths FitBorderWidths(const TsMaskData&, int, int) { return {}; }
int ClampImageState(const TsMaskData&, int) { return 0; }
void DrawSkinRect(platform::Bitmap&, platform::RECT, const TCacheInfo&, const TsMaskData&, const TsSkinModel&, int, bool) {}
void PaintRgnBorder(platform::Bitmap&, platform::Region&, platform::RECT, const TsMaskData&, const TsSkinModel&, int) {}
}
