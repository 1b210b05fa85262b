// The glyph and caption of a bit button or speed button: their layout in the button and the
// glyph's drawing (NumGlyphs images side by side: up, disabled, down, exclusive).
#pragma once

#include "toolkit/TBitmap.h"
#include "toolkit/Types.h"

namespace toolkit {

class TButtonGlyph {
public:
    struct Layout {
        TPoint glyphPos{};
        TRect textRect{};
    };

    // client: the area to lay out in; glyph and text sizes; margin -1 centres the block, spacing
    // -1 spreads glyph and text evenly.
    static Layout CalcButtonLayout(const TRect& client, TSize glyphSize, TSize textSize, TButtonLayout layout,
                                   int margin, int spacing);

    // The size of one image of the glyph.
    static TSize GlyphSize(const TBitmap& glyph, int numGlyphs);
    // Draws the image for the state at pos; a disabled button without its own image is drawn grey
    // and faded.
    static void DrawGlyph(TCanvas& canvas, const TBitmap& glyph, int numGlyphs, TButtonState state, TPoint pos);
};

} // namespace toolkit
