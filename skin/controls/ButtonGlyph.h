// A button's glyph drawn into its cache: the image for the state among NumGlyphs side by side,
// 32-bit glyphs blended by their alpha (faded by Blend at rest), others with the colour of their
// bottom-left pixel left out, grey or toned when asked, with an optional fading reflection.
#pragma once

#include "skin/controls/TsButtonSkinProperties.h"

#include "platform/core/Bitmap.h"
#include "toolkit/TBitmap.h"

namespace skin {

class TsSkinManager;

struct TacDrawGlyphData {
    int Blend = 0;
    int SkinIndex = -1;
    int NumGlyphs = 1;
    int ImageIndex = -1;
    int CurrentState = 0;
    bool Down = false;
    bool Grayed = false;
    bool Enabled = true;
    bool Reflected = false;
    const toolkit::TBitmap* Glyph = nullptr;
    platform::Bitmap* DstBmp = nullptr;
    toolkit::TRect ImgRect{};
    // The tone of a grey glyph; clNotSet: plain grey.
    int BGColor = clNotSet;
    // Null: no manager, which makes an all-transparent 32-bit glyph count as opaque.
    const TsSkinManager* SkinManager = nullptr;
    TacDisabledGlyphKind DisabledGlyphKind{};
};

// The size of one of NumGlyphs images side by side; 0 × 0 without a glyph.
toolkit::TSize ButtonGlyphSize(const toolkit::TBitmap* glyph, int numGlyphs);

void acDrawGlyphEx(const TacDrawGlyphData& d);

} // namespace skin
