// The skinned bit button: while its section exists in the loaded skin it paints entirely from it
// through its cache picture (background, border, caption, glyph), cuts its window region to a
// border with shaped corners, and fades between normal, hot and pressed; without a skin it paints
// as the plain bit button does.
#pragma once

#include "skin/controls/ButtonPicture.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "skin/controls/WindowedButtonSkin.h"
#include "toolkit/TBitBtn.h"

#include <memory>

namespace skin {

class TsBitBtn : public toolkit::TBitBtn, private WindowedButtonOwner {
public:
    explicit TsBitBtn(toolkit::TComponent* AOwner);
    ~TsBitBtn() override;

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TsButtonSkinProperties& SkinProperties() { return properties_; }
    const TsButtonSkinProperties& SkinProperties() const { return properties_; }

    toolkit::TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(toolkit::TVerticalAlignment value) { verticalAlignment_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value);
    int FocusMargin() const { return focusMargin_; }
    void SetFocusMargin(int value) { focusMargin_ = value; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { showFocus_ = value; }
    bool AcceptsControls() const { return acceptsControls_; }
    void SetAcceptsControls(bool value);

    TBmpPaintEvent OnPaint;

    // The state the cache is built for: 0 normal, 1 hot or focused, 2 pressed, 3 default at rest.
    int CurrentState() { return skin_.CurrentState(); }
    // Paints the whole picture of the current state into the cache; false when the parent's
    // picture is not ready (nothing is painted then).
    bool PrepareCache() { return skin_.PrepareCache(); }
    // Where the last cache build put the glyph and the caption.
    toolkit::TPoint GlyphPos() const { return skin_.LastPicture().GlyphPos; }
    toolkit::TRect CaptionRect() const { return skin_.LastPicture().CaptionRect; }

    void Invalidate() override;

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override { skin_.WndProc(message); }
    void PaintWindow(platform::HDC dc) override { skin_.PaintWindow(dc); }
    void EraseBackground(platform::HDC dc) override;

private:
    ButtonPictureResult PaintPicture(const ButtonSkin& skin, bool wantRegion, platform::Bitmap& cache) override;
    int StateFor(const WindowedButtonFacts& facts) const override { return BitBtnState(facts); }
    bool ButtonDown() const override { return down_; }
    TacAnimatEvents ButtonAnimatEvents() const override { return properties_.AnimatEvents; }
    bool LayoutChanged() const override { return oldSpacing_ != Spacing(); }
    void InheritedWndProc(toolkit::TMessage& message) override { toolkit::TBitBtn::WndProc(message); }
    void InheritedPaintWindow(platform::HDC dc) override { toolkit::TBitBtn::PaintWindow(dc); }
    // Child controls of a button that holds some move with the press.
    void ShiftControls(bool pressed);

    std::unique_ptr<TsCtrlSkinData> skinData_;
    WindowedButtonSkin skin_;
    TsButtonSkinProperties properties_;
    toolkit::TVerticalAlignment verticalAlignment_ = toolkit::taVerticalCenter;
    bool down_ = false;
    int focusMargin_ = 1;
    bool showFocus_ = true;
    bool acceptsControls_ = false;
    bool ControlsShifted = false;
    int oldSpacing_ = 4;
};

} // namespace skin
