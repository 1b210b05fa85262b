#include "skin/controls/ButtonLayout.h"

#include "platform/text/Text.h"

#include <algorithm>

namespace skin {

using namespace toolkit;

namespace {

bool Horizontal(TButtonLayout layout) { return layout == blGlyphLeft || layout == blGlyphRight; }

void MoveCaptionTo(TRect& r, int x, int y)
{
    const int w = r.Width(), h = r.Height();
    r = TRect{x, y, x + w, y + h};
}

// Margin and spacing along the layout direction, as the block is centred or spread.
void ResolveMarginAndSpacing(const ButtonLayoutInput& in, int client, int glyph, int caption, int& margin,
                             int& spacing)
{
    if (margin == -1 && spacing == -1) {
        const int total = glyph + caption;
        spacing = margin = (client - total) / 3;
    } else if (margin == -1) {
        const bool centred = in.Alignment == taCenter;
        const int total = centred ? glyph + caption + spacing : client;
        margin = centred && in.VerticalAlignment == taVerticalCenter ? (client - total + 1) / 2 : 2;
    } else if (spacing == -1) {
        spacing = ((client - (margin + glyph)) - caption) / 2;
    }
}

void PlaceGlyphLeft(const ButtonLayoutInput& in, int cw, int margin, int spacing, TPoint& glyph, TRect& caption)
{
    const int gw = in.Glyph.cx, tw = in.Caption.cx;
    switch (in.Alignment) {
    case taLeftJustify:
        if (gw > 0) {
            glyph.x = margin;
            caption.left = margin + gw + spacing;
            caption.right = cw - margin;
        } else {
            caption.left = margin;
            caption.right = caption.left + tw + margin;
        }
        break;
    case taRightJustify:
        MoveCaptionTo(caption, cw - margin - tw, caption.top);
        glyph.x = caption.left - spacing - gw;
        break;
    case taCenter:
        glyph.x = std::max((cw - tw - spacing - gw) / 2, margin);
        MoveCaptionTo(caption, glyph.x + gw + spacing, caption.top);
        break;
    }
}

void PlaceGlyphRight(const ButtonLayoutInput& in, int cw, int margin, int spacing, TPoint& glyph, TRect& caption)
{
    const int gw = in.Glyph.cx, tw = in.Caption.cx;
    switch (in.Alignment) {
    case taLeftJustify:
        glyph.x = margin + tw + spacing;
        MoveCaptionTo(caption, margin, caption.top);
        break;
    case taRightJustify:
        glyph.x = cw - margin - gw;
        caption.left = 0;
        caption.right = glyph.x - spacing;
        break;
    case taCenter:
        MoveCaptionTo(caption, (cw - tw - spacing - gw) / 2, caption.top);
        glyph.x = caption.left + tw + spacing;
        break;
    }
}

// Top and bottom alignment: a left or right layout moves glyph and caption each, a top or bottom
// layout moves the two as one block.
void AlignVertically(const ButtonLayoutInput& in, TPoint& glyph, TRect& caption)
{
    if (in.VerticalAlignment == taVerticalCenter)
        return;
    const int m = std::max(0, in.Margin);
    const int gh = in.Glyph.cy, th = in.Caption.cy;
    const TRect& c = in.Client;
    if (Horizontal(in.Layout)) {
        const bool top = in.VerticalAlignment == taAlignTop;
        glyph.y = top ? c.top + m : c.bottom - m - gh;
        MoveCaptionTo(caption, caption.left, top ? c.top + m : c.bottom - m - th);
        return;
    }
    const int blockTop = std::min(glyph.y, int(caption.top));
    const int blockBottom = std::max(glyph.y + gh, int(caption.bottom));
    const int dy = in.VerticalAlignment == taAlignTop ? c.top + m - blockTop : c.bottom - m - blockBottom;
    glyph.y += dy;
    caption.top += dy;
    caption.bottom += dy;
}

} // namespace

ButtonLayoutResult CalcButtonLayout(const ButtonLayoutInput& input)
{
    ButtonLayoutInput in = input;
    if (in.RightToLeft) {
        if (in.Layout == blGlyphLeft)
            in.Layout = blGlyphRight;
        else if (in.Layout == blGlyphRight)
            in.Layout = blGlyphLeft;
    }
    const int cw = in.Client.Width(), ch = in.Client.Height();
    const int gw = in.Glyph.cx, gh = in.Glyph.cy, tw = in.Caption.cx, th = in.Caption.cy;
    const bool horizontal = Horizontal(in.Layout);

    TPoint glyph{};
    TRect caption{0, 0, tw, th};
    if (horizontal) {
        glyph.y = (ch - gh + 1) / 2;
        MoveCaptionTo(caption, 0, (ch - th + 1) / 2);
    } else {
        glyph.x = (cw - gw + 1) / 2;
        MoveCaptionTo(caption, (cw - tw + 1) / 2, 0);
    }

    const bool hasCaption = tw > 0 && th > 0;
    const bool hasGlyph = gw > 0 && gh > 0;
    int margin = in.Margin;
    int spacing = hasCaption && hasGlyph ? in.Spacing : 0;
    if (horizontal)
        ResolveMarginAndSpacing(in, cw, gw, tw, margin, spacing);
    else
        ResolveMarginAndSpacing(in, ch, gh, th, margin, spacing);

    switch (in.Layout) {
    case blGlyphLeft:
        PlaceGlyphLeft(in, cw, margin, spacing, glyph, caption);
        break;
    case blGlyphRight:
        PlaceGlyphRight(in, cw, margin, spacing, glyph, caption);
        break;
    case blGlyphTop:
        glyph.y = (ch - gh - spacing - th) / 2;
        MoveCaptionTo(caption, caption.left, glyph.y + gh + spacing);
        break;
    case blGlyphBottom:
        glyph.y = ch - gh - ((ch - gh - spacing - th) / 2);
        MoveCaptionTo(caption, caption.left, glyph.y - spacing - th);
        break;
    }

    glyph.x += in.Client.left;
    glyph.y += in.Client.top;
    caption = TRect{caption.left + in.Client.left, caption.top + in.Client.top, caption.right + in.Client.left,
                    caption.bottom + in.Client.top};
    AlignVertically(in, glyph, caption);
    return ButtonLayoutResult{glyph, caption};
}

TPoint SpeedButtonGlyphPos(const SpeedGlyphInput& in)
{
    const int gw = in.Glyph.cx, gh = in.Glyph.cy, tw = in.CaptionWidth;
    const int spacing = tw > 0 && gw > 0 ? in.Spacing : 0;
    const int genMargin = in.Margin < 0 ? 0 : in.Margin + 3;
    const int w = in.DropDown ? in.Width - 16 : in.Width;
    TPoint p{0, (in.Height - gh) / 2};
    switch (in.Alignment) {
    case taLeftJustify: p.x = genMargin; break;
    case taRightJustify: p.x = ((w - gw - spacing - tw) / 2) * 2 - genMargin; break;
    case taCenter: p.x = (w - gw - spacing - tw) / 2; break;
    }
    return p;
}

int MaxCaptionWidth(int controlWidth, int margin, int spacing, TButtonLayout layout, int glyphWidth,
                    bool captionShown)
{
    if (!captionShown)
        return 0;
    int width = controlWidth - 2 * margin;
    if (Horizontal(layout) && glyphWidth > 0)
        width -= glyphWidth + spacing;
    return std::max(0, width);
}

platform::UINT TextAlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify: return platform::DT_LEFT;
    case taRightJustify: return platform::DT_RIGHT;
    case taCenter: return platform::DT_CENTER;
    }
    return platform::DT_CENTER;
}

} // namespace skin
