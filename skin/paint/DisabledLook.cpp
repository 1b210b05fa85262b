#include "skin/paint/DisabledLook.h"

#include "skin/model/SkinColors.h"
#include "skin/paint/PaintInternal.h"
#include "skin/paint/PixelArithmetic.h"

namespace skin {

using namespace paint_detail;

void BmpDisabledKind(Bitmap& bmp, TacDisabledKind kind, const TCacheInfo& ci, RECT r)
{
    if (!ClipTo(bmp, r))
        return;
    if (kind & dkGrayed)
        ChangeSaturationDelta(bmp, r, DefDisabledSaturation * 255 / 100);
    if (!(kind & dkBlended))
        return;
    if (ci.Ready && ci.Bmp) {
        for (int y = r.top; y < r.bottom; ++y) {
            PixelBGRA* row = bmp.ScanLine(y);
            for (int x = r.left; x < r.right; ++x) {
                const PixelBGRA* parent = PixelAt(ci.Bmp, ci.X + x, ci.Y + y);
                if (parent && (*parent & RgbBits) != FuchsiaRgb)
                    row[x] = SumPixel(row[x], *parent, DefBlendDisabled);
            }
        }
    } else if (ci.FillColor != clFuchsia)
        BlendColorRect(bmp, r, DefBlendDisabled, ci.FillColor);
}

} // namespace skin
