// The skinned push button: the plain push button with its skin data; without a skin it paints as
// the plain push button does.
#pragma once

#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "toolkit/TButton.h"

#include <memory>

namespace skin {

enum TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };

class TsButton : public toolkit::TButton {
public:
    explicit TsButton(toolkit::TComponent* AOwner);

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TacAnimatEvents AnimatEvents() const { return animatEvents_; }
    void SetAnimatEvents(TacAnimatEvents value) { animatEvents_ = value; }
    TacDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TacDisabledKind value) { disabledKind_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value) { down_ = value; }
    int FocusMargin() const { return focusMargin_; }
    void SetFocusMargin(int value) { focusMargin_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    bool Reflected() const { return reflected_; }
    void SetReflected(bool value) { reflected_ = value; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { showFocus_ = value; }
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle value) { style_ = value; }
    // Margin of the caption from the button's edges.
    int ContentMargin() const { return contentMargin_; }
    void SetContentMargin(int value) { contentMargin_ = value; }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCtrlSkinData> skinData_;
    TacAnimatEvents animatEvents_{aeGlobalDef};
    TacDisabledKind disabledKind_ = dkBlended;
    bool down_ = false;
    int focusMargin_ = 1;
    int imageIndex_ = -1;
    bool reflected_ = false;
    bool showFocus_ = true;
    TButtonStyle style_ = bsPushButton;
    int contentMargin_ = 6;
};

} // namespace skin
