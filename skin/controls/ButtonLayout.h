// Where a skinned button puts its glyph and its caption, and how wide the caption may be. Pure
// geometry: the buttons measure the caption and the glyph, this places them.
#pragma once

#include "toolkit/Types.h"

namespace skin {

struct ButtonLayoutInput {
    toolkit::TRect Client{};
    toolkit::TSize Glyph{};   // 0 × 0: no glyph
    toolkit::TSize Caption{}; // 0 × 0: no caption
    toolkit::TButtonLayout Layout = toolkit::blGlyphLeft;
    toolkit::TAlignment Alignment = toolkit::taCenter;
    int Margin = -1;  // -1: computed
    int Spacing = 4;  // -1: computed
    bool RightToLeft = false;
    toolkit::TVerticalAlignment VerticalAlignment = toolkit::taVerticalCenter;
};

struct ButtonLayoutResult {
    toolkit::TPoint GlyphPos{};
    toolkit::TRect CaptionRect{};
};

ButtonLayoutResult CalcButtonLayout(const ButtonLayoutInput& in);

struct SpeedGlyphInput {
    int Width = 0, Height = 0; // the button
    toolkit::TSize Glyph{};
    int CaptionWidth = 0; // 0 when no caption is shown
    int Margin = -1;
    int Spacing = 4;
    toolkit::TAlignment Alignment = toolkit::taCenter;
    bool DropDown = false; // the right 16 pixels belong to the drop-down part
};

// A speed button's glyph of a left layout, before the pressed shift. Its own rule: the margin
// keeps 3 pixels of the frame free, and no margin centres the block without one.
toolkit::TPoint SpeedButtonGlyphPos(const SpeedGlyphInput& in);

// The width a bit or speed button measures its caption in: the control less twice the margin,
// and less the glyph and the spacing beside it for left and right layouts. 0 when no caption is
// shown; never negative.
int MaxCaptionWidth(int controlWidth, int margin, int spacing, toolkit::TButtonLayout layout, int glyphWidth,
                    bool captionShown);

// TextAlignment as DrawText's horizontal alignment flag.
platform::UINT TextAlignmentFlag(toolkit::TAlignment alignment);

} // namespace skin
