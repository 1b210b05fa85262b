// A button without a window (it never takes the focus): flat or framed, with a glyph and an
// optional caption. With a GroupIndex it stays down when clicked, and the other buttons of its
// group on the same parent come up.
#pragma once

#include "toolkit/TBitmap.h"
#include "toolkit/TGraphicControl.h"

namespace toolkit {

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);

    TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(const TBitmap* glyph) { glyph_.Assign(glyph); }
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // bsUp, bsDown (held), bsExclusive (down), bsDisabled.
    TButtonState State() const { return Enabled() ? state_ : bsDisabled; }
    bool MouseInControl() const { return mouseInControl_; }
    void Click() override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void UpdateExclusive();

    TBitmap glyph_;
    bool flat_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    int numGlyphs_ = 1;
    bool transparent_ = true;
    TButtonState state_ = bsUp;
    bool mouseInControl_ = false;
    bool dragging_ = false;
};

} // namespace toolkit
