#include "toolkit/TCanvas.h"

#include "platform/text/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/text/Text.h"
#include "toolkit/TGraphic.h"

#include <cstdlib>

namespace toolkit {

TRect TCanvas::ClipRect() const
{
    TRect r{};
    if (dc_)
        platform::GetClipBox(dc_, &r);
    return r;
}

void TCanvas::FillRect(const TRect& r)
{
    if (!dc_ || brush_.Style == bsClear)
        return;
    platform::FillSolidRect(dc_, r, BrushColorToRGB(brush_.Color));
}

void TCanvas::FrameRect(const TRect& r)
{
    if (!dc_ || brush_.Style == bsClear)
        return;
    platform::FrameRect(dc_, r, BrushColorToRGB(brush_.Color));
}

void TCanvas::Rectangle(const TRect& r)
{
    if (!dc_)
        return;
    TRect inner = r;
    if (pen_.Style != psClear && pen_.Width > 0) {
        for (int i = 0; i < pen_.Width && !inner.IsEmpty(); ++i) {
            platform::FrameRect(dc_, inner, PenColorToRGB(pen_.Color));
            platform::InflateRect(&inner, -1, -1);
        }
    }
    if (brush_.Style != bsClear && !inner.IsEmpty())
        platform::FillSolidRect(dc_, inner, BrushColorToRGB(brush_.Color));
}

void TCanvas::LineTo(int x, int y)
{
    if (dc_ && pen_.Style != psClear)
        platform::DrawLine(dc_, penPos_, TPoint{x, y}, PenColorToRGB(pen_.Color));
    penPos_ = {x, y};
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (dc_)
        platform::FillSolidRect(dc_, TRect{x, y, x + 1, y + 1}, ColorToRGB(color));
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!dc_ || !dc_->target)
        return clNone;
    int dx = x + dc_->origin.x, dy = y + dc_->origin.y;
    if (dx < 0 || dy < 0 || dx >= dc_->target->Width() || dy >= dc_->target->Height())
        return clNone;
    return TColor(platform::PixelToColor(dc_->target->Pixel(dx, dy)));
}

void TCanvas::PrepareText()
{
    platform::SelectFont(dc_, font_.Handle());
    platform::SetTextColor(dc_, ColorToRGB(font_.Color()));
    if (brush_.Style == bsClear) {
        platform::SetBkMode(dc_, platform::TRANSPARENT);
    } else {
        platform::SetBkMode(dc_, platform::OPAQUE);
        platform::SetBkColor(dc_, BrushColorToRGB(brush_.Color));
    }
}

void TCanvas::TextOut(int x, int y, StringView text)
{
    if (!dc_)
        return;
    PrepareText();
    platform::TextOut(dc_, x, y, text);
    penPos_ = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, StringView text)
{
    if (!dc_)
        return;
    int saved = platform::SaveDC(dc_);
    platform::IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
    FillRect(r);
    PrepareText();
    platform::SetBkMode(dc_, platform::TRANSPARENT);
    platform::TextOut(dc_, x, y, text);
    platform::RestoreDC(dc_, saved);
}

int TCanvas::DrawText(StringView text, TRect& r, UINT format)
{
    if (!dc_) {
        if (!(format & platform::DT_CALCRECT))
            return 0;
        // Measuring needs no surface: a scratch one answers in the canvas font.
        platform::Bitmap scratch(1, 1);
        platform::HDC dc = platform::CreateBitmapDC(&scratch);
        platform::SelectFont(dc, font_.Handle());
        int height = platform::DrawText(dc, text, &r, format);
        platform::DeleteDC(dc);
        return height;
    }
    PrepareText();
    if (!(format & platform::DT_CALCRECT))
        platform::SetBkMode(dc_, platform::TRANSPARENT);
    return platform::DrawText(dc_, text, &r, format);
}

int TCanvas::TextWidth(StringView text)
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(StringView text)
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(StringView text)
{
    TSize size{};
    if (dc_) {
        platform::SelectFont(dc_, font_.Handle());
        platform::GetTextExtentPoint32(dc_, text, &size);
        return size;
    }
    // Measuring without a surface still answers in the canvas font.
    platform::Bitmap scratch(1, 1);
    platform::HDC dc = platform::CreateBitmapDC(&scratch);
    platform::SelectFont(dc, font_.Handle());
    platform::GetTextExtentPoint32(dc, text, &size);
    platform::DeleteDC(dc);
    return size;
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic)
{
    if (!dc_ || !graphic || graphic->Empty())
        return;
    graphic->Draw(*this, TRect{x, y, x + graphic->Width(), y + graphic->Height()});
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic* graphic)
{
    if (!dc_ || !graphic || graphic->Empty())
        return;
    graphic->Draw(*this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    if (!dc_ || !source || !source->dc_)
        return;
    if (dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height())
        platform::BitBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source->dc_, sourceRect.left,
                         sourceRect.top, platform::SRCCOPY);
    else
        platform::StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source->dc_, sourceRect.left,
                             sourceRect.top, sourceRect.Width(), sourceRect.Height(), platform::SRCCOPY);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (!dc_ || r.IsEmpty())
        return;
    platform::COLORREF c = ColorToRGB(font_.Color());
    // Pixels of the outline at an even distance from the top-left corner, like a checkerboard.
    auto dot = [&](int x, int y) {
        if (((x - r.left) + (y - r.top)) % 2 == 0)
            platform::FillSolidRect(dc_, TRect{x, y, x + 1, y + 1}, c);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

} // namespace toolkit
