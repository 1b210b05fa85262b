// A drawing surface over a device context: brush, pen and font, and the drawing calls of the UI
// library. A canvas without a handle draws nothing.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "toolkit/TBrush.h"
#include "toolkit/TFont.h"
#include "toolkit/TPen.h"
#include "toolkit/TPersistent.h"

namespace toolkit {

class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas() = default;

    platform::HDC Handle() const { return dc_; }
    void SetHandle(platform::HDC dc) { dc_ = dc; }
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return &font_; }
    TBrush* Brush() { return &brush_; }
    TPen* Pen() { return &pen_; }

    // The visible part of the surface, in its coordinates.
    TRect ClipRect() const;

    void FillRect(const TRect& r);
    // A one-pixel frame in the brush colour, as the library's FrameRect.
    void FrameRect(const TRect& r);
    // Outline in the pen, inside filled with the brush.
    void Rectangle(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(TRect{x1, y1, x2, y2}); }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // The last point is not drawn.
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }
    void SetPixel(int x, int y, TColor color);
    TColor Pixel(int x, int y) const;

    void TextOut(int x, int y, StringView text);
    // Text at (x, y) clipped to r; with a solid brush r is filled first.
    void TextRect(const TRect& r, int x, int y, StringView text);
    // The platform's DrawText in the canvas font; answers the text height (DT_CALCRECT sets r).
    int DrawText(StringView text, TRect& r, UINT format);
    int TextWidth(StringView text);
    int TextHeight(StringView text);
    TSize TextExtent(StringView text);

    void Draw(int x, int y, const TGraphic* graphic);
    void StretchDraw(const TRect& r, const TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

    // A dotted outline: every second pixel along the edges, starting at the top-left corner.
    void DrawFocusRect(const TRect& r);

private:
    // Puts the canvas font and colours into the device context.
    void PrepareText();

    platform::HDC dc_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    TPoint penPos_{};
};

} // namespace toolkit
