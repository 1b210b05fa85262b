#include "toolkit/TButtonGlyph.h"

#include <algorithm>

namespace toolkit {

TButtonGlyph::Layout TButtonGlyph::CalcButtonLayout(const TRect& client, TSize glyphSize, TSize textSize,
                                                    TButtonLayout layout, int margin, int spacing)
{
    const TPoint clientSize{client.Width(), client.Height()};
    TPoint glyphPos{}, textPos{};
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    if (horizontal) {
        glyphPos.y = (clientSize.y - glyphSize.cy + 1) / 2;
        textPos.y = (clientSize.y - textSize.cy + 1) / 2;
    } else {
        glyphPos.x = (clientSize.x - glyphSize.cx + 1) / 2;
        textPos.x = (clientSize.x - textSize.cx + 1) / 2;
    }
    if (textSize.cx == 0 || glyphSize.cx == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            int total = horizontal ? glyphSize.cx + textSize.cx : glyphSize.cy + textSize.cy;
            margin = ((horizontal ? clientSize.x : clientSize.y) - total) / 3;
            spacing = margin;
        } else {
            int total = horizontal ? glyphSize.cx + spacing + textSize.cx : glyphSize.cy + spacing + textSize.cy;
            margin = ((horizontal ? clientSize.x : clientSize.y) - total + 1) / 2;
        }
    } else if (spacing == -1) {
        int rest = horizontal ? clientSize.x - (margin + glyphSize.cx) : clientSize.y - (margin + glyphSize.cy);
        spacing = (rest - (horizontal ? textSize.cx : textSize.cy)) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        glyphPos.x = margin;
        textPos.x = glyphPos.x + glyphSize.cx + spacing;
        break;
    case blGlyphRight:
        glyphPos.x = clientSize.x - margin - glyphSize.cx;
        textPos.x = glyphPos.x - spacing - textSize.cx;
        break;
    case blGlyphTop:
        glyphPos.y = margin;
        textPos.y = glyphPos.y + glyphSize.cy + spacing;
        break;
    case blGlyphBottom:
        glyphPos.y = clientSize.y - margin - glyphSize.cy;
        textPos.y = glyphPos.y - spacing - textSize.cy;
        break;
    }
    Layout result;
    result.glyphPos = TPoint{glyphPos.x + client.left, glyphPos.y + client.top};
    result.textRect = TRect{textPos.x + client.left, textPos.y + client.top, textPos.x + client.left + textSize.cx,
                            textPos.y + client.top + textSize.cy};
    return result;
}

TSize TButtonGlyph::GlyphSize(const TBitmap& glyph, int numGlyphs)
{
    if (glyph.Empty())
        return TSize{0, 0};
    return TSize{glyph.Width() / std::max(1, numGlyphs), glyph.Height()};
}

void TButtonGlyph::DrawGlyph(TCanvas& canvas, const TBitmap& glyph, int numGlyphs, TButtonState state, TPoint pos)
{
    TSize size = GlyphSize(glyph, numGlyphs);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    numGlyphs = std::max(1, numGlyphs);
    int index = 0;
    switch (state) {
    case bsDisabled: index = numGlyphs > 1 ? 1 : 0; break;
    case bsDown: index = numGlyphs > 2 ? 2 : 0; break;
    case bsExclusive: index = numGlyphs > 3 ? 3 : (numGlyphs > 2 ? 2 : 0); break;
    default: break;
    }
    const bool fake = state == bsDisabled && numGlyphs < 2;
    TRect source{index * size.cx, 0, (index + 1) * size.cx, size.cy};
    glyph.DrawPart(canvas, TRect{pos.x, pos.y, pos.x + size.cx, pos.y + size.cy}, source, fake ? 110 : 255, fake);
}

} // namespace toolkit
