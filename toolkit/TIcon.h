// An icon: one 32-bit picture with straight alpha, the form of every window icon.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/WinUser.h"
#include "toolkit/TGraphic.h"

namespace toolkit {

class TBitmap;

class TIcon : public TGraphic {
public:
    TIcon() = default;

    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    // The window system's icon handle; null for an empty icon. Valid while the icon is unchanged.
    platform::HICON Handle() const { return bitmap_.IsEmpty() ? nullptr : &bitmap_; }
    const platform::Bitmap& Bitmap() const { return bitmap_; }
    void SetBitmap(platform::Bitmap bitmap);

    void Draw(TCanvas& canvas, const TRect& r) const override;
    void LoadFromFile(StringView fileName) override;
    void SaveToFile(StringView fileName) const override;
    // From another icon, or from a bitmap (whose alpha is taken when it is defined).
    void Assign(const TPersistent* source) override;

private:
    platform::Bitmap bitmap_;
};

} // namespace toolkit
