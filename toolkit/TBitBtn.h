// A push button with a glyph beside its caption, laid out by Layout, Margin (-1: the block is
// centred) and Spacing (between glyph and caption). 32-bit glyphs are drawn with their alpha.
#pragma once

#include "toolkit/TBitmap.h"
#include "toolkit/TButton.h"

namespace toolkit {

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);

    TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(const TBitmap* glyph) { glyph_.Assign(glyph); }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    TBitmap glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    int numGlyphs_ = 1;
};

} // namespace toolkit
