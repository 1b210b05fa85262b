// The skinned bit button: the plain bit button with its skin data and the skin's button
// properties; without a skin it paints as the plain bit button does.
#pragma once

#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "toolkit/TBitBtn.h"

#include <memory>

namespace skin {

class TsBitBtn : public toolkit::TBitBtn {
public:
    explicit TsBitBtn(toolkit::TComponent* AOwner);

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TsButtonSkinProperties& SkinProperties() { return properties_; }
    const TsButtonSkinProperties& SkinProperties() const { return properties_; }

    toolkit::TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(toolkit::TVerticalAlignment value) { verticalAlignment_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value) { down_ = value; }
    int FocusMargin() const { return focusMargin_; }
    void SetFocusMargin(int value) { focusMargin_ = value; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { showFocus_ = value; }
    bool AcceptsControls() const { return acceptsControls_; }
    void SetAcceptsControls(bool value) { acceptsControls_ = value; }

    TBmpPaintEvent OnPaint;

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCtrlSkinData> skinData_;
    TsButtonSkinProperties properties_;
    toolkit::TVerticalAlignment verticalAlignment_ = toolkit::taVerticalCenter;
    bool down_ = false;
    int focusMargin_ = 1;
    bool showFocus_ = true;
    bool acceptsControls_ = false;
};

} // namespace skin
