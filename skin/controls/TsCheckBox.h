// The skinned check box: the plain check box with its skin data and the skin's check-image
// properties; without a skin it paints as the plain check box does.
#pragma once

#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCommonData.h"
#include "toolkit/TCheckBox.h"

#include <memory>

namespace skin {

enum TacVerticalAlign { vaTop, vaMiddle, vaBottom };

class TsCheckBox : public toolkit::TCheckBox {
public:
    explicit TsCheckBox(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { margin_ = value; }
    int TextIndent() const { return textIndent_; }
    void SetTextIndent(int value) { textIndent_ = value; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { showFocus_ = value; }
    bool SkinReadOnly() const { return readOnly_; }
    void SetSkinReadOnly(bool value) { readOnly_ = value; }
    TacVerticalAlign VerticalAlign() const { return verticalAlign_; }
    void SetVerticalAlign(TacVerticalAlign value) { verticalAlign_ = value; }
    TacDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TacDisabledKind value) { disabledKind_ = value; }
    TacAnimatEvents AnimatEvents() const { return animatEvents_; }
    void SetAnimatEvents(TacAnimatEvents value) { animatEvents_ = value; }
    // Images of an image list for the two states; without an image list they have no effect.
    int ImgChecked() const { return imgChecked_; }
    void SetImgChecked(int value) { imgChecked_ = value; }
    int ImgUnchecked() const { return imgUnchecked_; }
    void SetImgUnchecked(int value) { imgUnchecked_ = value; }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCommonData> skinData_;
    int margin_ = 2;
    int textIndent_ = 0;
    bool showFocus_ = true;
    bool readOnly_ = false;
    TacVerticalAlign verticalAlign_ = vaMiddle;
    TacDisabledKind disabledKind_{dkBlended};
    TacAnimatEvents animatEvents_{aeGlobalDef};
    int imgChecked_ = -1;
    int imgUnchecked_ = -1;
};

} // namespace skin
