// A 32-bit bitmap with a canvas. A 32-bit bitmap whose alpha is defined (afDefined) is drawn with
// its per-pixel alpha (straight, not premultiplied); pf24bit ignores the alpha bytes; a transparent
// bitmap leaves out the pixels of its transparent colour (by default that of its bottom-left pixel).
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "toolkit/Colors.h"
#include "toolkit/TCanvas.h"
#include "toolkit/TGraphic.h"

#include <memory>

namespace toolkit {

enum TPixelFormat { pfDevice, pf24bit, pf32bit };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Keeps the pixels that still fit; new pixels are 0.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format);
    TAlphaFormat AlphaFormat() const { return alphaFormat_; }
    void SetAlphaFormat(TAlphaFormat format);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    platform::PixelBGRA* ScanLine(int y);
    const platform::PixelBGRA* ScanLine(int y) const;
    platform::Bitmap& Bitmap() { return bitmap_; }
    const platform::Bitmap& Bitmap() const { return bitmap_; }
    // Takes the pixels over; a picture with alpha becomes pf32bit with afDefined.
    void SetBitmap(platform::Bitmap bitmap, bool hasAlpha);

    TCanvas* Canvas();

    void Draw(TCanvas& canvas, const TRect& r) const override;
    // Draws the source part of the picture into dest, faded to constantAlpha (0..255) and, when
    // grayed, turned to grey.
    void DrawPart(TCanvas& canvas, const TRect& dest, const TRect& source, platform::BYTE constantAlpha = 255,
                  bool grayed = false) const;
    void LoadFromFile(StringView fileName) override;
    void SaveToFile(StringView fileName) const override;
    void Assign(const TPersistent* source) override;

    // Tells the bitmap that its pixels were changed through ScanLine or the canvas.
    void Modified() { Changed(); }

private:
    void ReleaseCanvasDC();

    platform::Bitmap bitmap_;
    TPixelFormat pixelFormat_ = pf24bit;
    TAlphaFormat alphaFormat_ = afIgnored;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TCanvas> canvas_;
    platform::HDC dc_ = nullptr;
};

} // namespace toolkit
