// The skinned check box: its section in the state the mouse, the focus and a press give it, its
// caption in that state's colours and the skin's check image of its check state; without a skin
// it paints as the plain check box does.
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

    // 2 while pressed, 1 while hot or focused (unless read-only), else 0.
    int ImageState() const;
    // Where the check image goes: the image's size, or a free 16 x 16 area at the top left when
    // the skin has no image for the check state.
    platform::RECT CheckRect() const;
    // Where the caption goes.
    platform::RECT SkinTextRect();
    // The whole picture for the current state into the cache; false when the parent is not ready.
    bool PrepareCache();

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void PaintWindow(platform::HDC dc) override;
    void EraseBackground(platform::HDC dc) override;

private:
    // The skin's check image of the check state; null without one.
    const struct TsMaskData* CheckImage() const;
    platform::UINT TextFlags() const;
    // Follows a change of the state the box shows, fading when its events allow it.
    void FollowState(TacAnimatEvent event);

    int shownState_ = 0;
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
