#include "toolkit/TBitBtn.h"

#include "platform/text/Text.h"
#include "toolkit/TButtonGlyph.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner)
{
    glyph_.OnChange = [this](TObject*) { Invalidate(); };
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    // An owner-drawn button, as other buttons can tell from its style.
    params.Style |= BS_OWNERDRAW;
}

void TBitBtn::SetLayout(TButtonLayout value)
{
    layout_ = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value)
{
    margin_ = std::max(value, -1);
    Invalidate();
}

void TBitBtn::SetSpacing(int value)
{
    spacing_ = value;
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TBitBtn::Paint()
{
    TCanvas& canvas = *Canvas();
    const unsigned state = LookStateFlags();
    const TRect r = ClientRect();
    CurrentControlLook().DrawButton(canvas, r, state);

    canvas.Font()->Assign(Font());
    TSize textSize{};
    if (!Caption().empty()) {
        TRect measure{0, 0, r.Width(), 0};
        canvas.DrawText(Caption(), measure, DT_CALCRECT | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
        textSize = TSize{measure.Width(), measure.Height()};
    }
    TSize glyphSize = TButtonGlyph::GlyphSize(glyph_, numGlyphs_);
    TButtonGlyph::Layout placed = TButtonGlyph::CalcButtonLayout(r, glyphSize, textSize, layout_, margin_, spacing_);
    const bool pressed = state & LookState::Pressed;
    if (pressed) {
        placed.glyphPos.x += 1;
        placed.glyphPos.y += 1;
        OffsetRect(&placed.textRect, 1, 1);
    }
    TButtonState glyphState = !Enabled() ? bsDisabled : pressed ? bsDown : bsUp;
    TButtonGlyph::DrawGlyph(canvas, glyph_, numGlyphs_, glyphState, placed.glyphPos);
    if (!Caption().empty()) {
        DrawCaption(placed.textRect, DT_CENTER | DT_VCENTER | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
        if (state & LookState::Focused) {
            TRect focus = placed.textRect;
            InflateRect(&focus, 2, 1);
            CurrentControlLook().DrawFocusRect(canvas, focus);
        }
    }
}

} // namespace toolkit
