#include "skin/paint/ColorArrow.h"

#include "skin/paint/PixelArithmetic.h"

namespace skin {

void DrawColorArrow(platform::Bitmap& bmp, platform::RECT r, int color)
{
    constexpr int width = 7, rows = 4;
    const int left = r.left + (r.Width() - width) / 2;
    const int top = r.top + (r.Height() - rows) / 2;
    for (int row = 0; row < rows; ++row)
        FillRect32(bmp, platform::RECT{left + row, top + row, left + width - row, top + row + 1}, color);
}

} // namespace skin
