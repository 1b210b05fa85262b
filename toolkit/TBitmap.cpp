#include "toolkit/TBitmap.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/PixelAlpha.h"
#include "platform/image/Image.h"
#include "platform/system/Paths.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace toolkit {

using platform::PixelBGRA;

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) : bitmap_(width, height) {}

TBitmap::~TBitmap()
{
    ReleaseCanvasDC();
}

void TBitmap::ReleaseCanvasDC()
{
    if (dc_) {
        if (canvas_)
            canvas_->SetHandle(nullptr);
        platform::DeleteDC(dc_);
        dc_ = nullptr;
    }
}

void TBitmap::SetSize(int width, int height)
{
    if (width == Width() && height == Height())
        return;
    ReleaseCanvasDC();
    platform::Bitmap resized(std::max(width, 0), std::max(height, 0));
    int rows = std::min(height, Height()), cols = std::min(width, Width());
    for (int y = 0; y < rows; ++y)
        std::memcpy(resized.ScanLine(y), bitmap_.ScanLine(y), std::size_t(cols) * sizeof(PixelBGRA));
    bitmap_ = std::move(resized);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == pixelFormat_)
        return;
    pixelFormat_ = format;
    if (format != pf32bit)
        alphaFormat_ = afIgnored;
    Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat format)
{
    if (format == alphaFormat_)
        return;
    alphaFormat_ = format;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentColor_ != clDefault)
        return transparentColor_;
    if (bitmap_.IsEmpty())
        return clDefault;
    return TColor(platform::PixelToColor(bitmap_.Pixel(0, bitmap_.Height() - 1)));
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    Changed();
}

PixelBGRA* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= Height())
        throw EInvalidGraphic(Format(u"Scan line index out of range (%d)", {IntToStr(y)}));
    return bitmap_.ScanLine(y);
}

const PixelBGRA* TBitmap::ScanLine(int y) const
{
    if (y < 0 || y >= Height())
        throw EInvalidGraphic(Format(u"Scan line index out of range (%d)", {IntToStr(y)}));
    return bitmap_.ScanLine(y);
}

void TBitmap::SetBitmap(platform::Bitmap bitmap, bool hasAlpha)
{
    ReleaseCanvasDC();
    bitmap_ = std::move(bitmap);
    pixelFormat_ = hasAlpha ? pf32bit : pf24bit;
    alphaFormat_ = hasAlpha ? afDefined : afIgnored;
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    if (!dc_ && !bitmap_.IsEmpty()) {
        dc_ = platform::CreateBitmapDC(&bitmap_);
        canvas_->SetHandle(dc_);
    }
    return canvas_.get();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) const
{
    DrawPart(canvas, r, bitmap_.BoundsRect());
}

void TBitmap::DrawPart(TCanvas& canvas, const TRect& dest, const TRect& source, platform::BYTE constantAlpha,
                       bool grayed) const
{
    platform::HDC dst = canvas.Handle();
    TRect src{};
    if (!dst || dest.IsEmpty() || !platform::IntersectRect(&src, source, bitmap_.BoundsRect()))
        return;
    const bool alpha = pixelFormat_ == pf32bit && alphaFormat_ != afIgnored;
    const bool keyed = Transparent() && !alpha;
    const int w = src.Width(), h = src.Height();

    if (!alpha && !keyed && !grayed && constantAlpha == 255) {
        // An opaque copy: the alpha bytes of the source do not reach the target.
        platform::Bitmap opaque(w, h);
        for (int y = 0; y < h; ++y) {
            const PixelBGRA* in = bitmap_.ScanLine(src.top + y) + src.left;
            PixelBGRA* out = opaque.ScanLine(y);
            for (int x = 0; x < w; ++x)
                out[x] = in[x] | 0xFF000000u;
        }
        platform::HDC from = platform::CreateBitmapDC(&opaque);
        if (dest.Width() == w && dest.Height() == h)
            platform::BitBlt(dst, dest.left, dest.top, w, h, from, 0, 0, platform::SRCCOPY);
        else
            platform::StretchBlt(dst, dest.left, dest.top, dest.Width(), dest.Height(), from, 0, 0, w, h,
                                 platform::SRCCOPY);
        platform::DeleteDC(from);
        return;
    }

    platform::Bitmap premultiplied(w, h);
    const PixelBGRA key = platform::ColorToPixel(platform::COLORREF(TransparentColor()), 0) & 0x00FFFFFFu;
    for (int y = 0; y < h; ++y) {
        const PixelBGRA* in = bitmap_.ScanLine(src.top + y) + src.left;
        PixelBGRA* out = premultiplied.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            PixelBGRA p = in[x];
            unsigned a = 255;
            if (keyed)
                a = (p & 0x00FFFFFFu) == key ? 0 : 255;
            else if (alpha)
                a = platform::PixelA(p);
            unsigned r = platform::PixelR(p), g = platform::PixelG(p), b = platform::PixelB(p);
            if (alpha && alphaFormat_ == afPremultiplied && a > 0) {
                // Back to straight colour, so that graying and fading treat both forms alike.
                r = platform::UnpremultiplyChannel(r, a);
                g = platform::UnpremultiplyChannel(g, a);
                b = platform::UnpremultiplyChannel(b, a);
            }
            if (grayed) {
                unsigned grey = (r * 77 + g * 151 + b * 28) >> 8;
                r = g = b = grey;
            }
            out[x] = platform::Premultiply(platform::MakePixel(platform::BYTE(r), platform::BYTE(g), platform::BYTE(b),
                                                               platform::BYTE(a)));
        }
    }
    platform::HDC from = platform::CreateBitmapDC(&premultiplied);
    platform::BLENDFUNCTION blend;
    blend.AlphaFormat = platform::AC_SRC_ALPHA;
    blend.SourceConstantAlpha = constantAlpha;
    platform::AlphaBlend(dst, dest.left, dest.top, dest.Width(), dest.Height(), from, 0, 0, w, h, blend);
    platform::DeleteDC(from);
}

void TBitmap::LoadFromFile(StringView fileName)
{
    if (!platform::FileExists(fileName))
        throw EFOpenError(Format(u"Cannot open file \"%s\". The system cannot find the file specified",
                                 {fileName}));
    try {
        platform::DecodedImage image = platform::LoadImageFile(platform::NativePath(fileName));
        SetBitmap(std::move(image.bitmap), image.hasAlpha);
    } catch (const platform::ImageError& e) {
        throw EInvalidGraphic(Format(u"Bitmap image is not valid (%s)", {platform::Utf8ToUtf16(e.what())}));
    }
}

void TBitmap::SaveToFile(StringView fileName) const
{
    try {
        String ext = LowerCase(platform::ExtractFileExt(fileName));
        if (ext == u".png")
            platform::SavePng(bitmap_, platform::NativePath(fileName));
        else
            platform::SaveBmp(bitmap_, platform::NativePath(fileName));
    } catch (const platform::ImageError& e) {
        throw EFOpenError(Format(u"Cannot create file \"%s\". %s", {fileName, platform::Utf8ToUtf16(e.what())}));
    }
}

void TBitmap::Assign(const TPersistent* source)
{
    if (!source) {
        SetBitmap(platform::Bitmap(), false);
        return;
    }
    if (auto* other = dynamic_cast<const TBitmap*>(source)) {
        if (other == this)
            return;
        ReleaseCanvasDC();
        bitmap_ = other->bitmap_;
        pixelFormat_ = other->pixelFormat_;
        alphaFormat_ = other->alphaFormat_;
        transparentColor_ = other->transparentColor_;
        SetTransparent(other->Transparent());
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

} // namespace toolkit
