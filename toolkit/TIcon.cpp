#include "toolkit/TIcon.h"

#include "toolkit/TBitmap.h"

#include <utility>

namespace toolkit {

void TIcon::SetBitmap(platform::Bitmap bitmap)
{
    bitmap_ = std::move(bitmap);
    Changed();
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) const
{
    TBitmap picture;
    picture.SetBitmap(bitmap_, true);
    picture.Draw(canvas, r);
}

void TIcon::LoadFromFile(StringView fileName)
{
    TBitmap picture;
    picture.LoadFromFile(fileName);
    Assign(&picture);
}

void TIcon::SaveToFile(StringView fileName) const
{
    TBitmap picture;
    picture.SetBitmap(bitmap_, true);
    picture.SaveToFile(fileName);
}

void TIcon::Assign(const TPersistent* source)
{
    if (!source) {
        SetBitmap(platform::Bitmap());
        return;
    }
    if (auto* icon = dynamic_cast<const TIcon*>(source)) {
        if (icon != this)
            SetBitmap(icon->bitmap_);
        return;
    }
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        platform::Bitmap pixels = bitmap->Bitmap();
        if (bitmap->PixelFormat() != pf32bit || bitmap->AlphaFormat() == afIgnored)
            for (int y = 0; y < pixels.Height(); ++y) {
                platform::PixelBGRA* row = pixels.ScanLine(y);
                for (int x = 0; x < pixels.Width(); ++x)
                    row[x] |= 0xFF000000u;
            }
        SetBitmap(std::move(pixels));
        return;
    }
    TGraphic::Assign(source);
}

} // namespace toolkit
