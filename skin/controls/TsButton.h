// The skinned push button: while its section exists in the loaded skin it paints from it through
// its cache picture (background, border, centred caption, focus outline), cuts its window region
// to a border with shaped corners and fades between its states; without a skin it paints as the
// plain push button does.
#pragma once

#include "skin/controls/ButtonPicture.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "skin/controls/WindowedButtonSkin.h"
#include "toolkit/TButton.h"

#include <memory>

namespace skin {

enum TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };

class TsButton : public toolkit::TButton, private WindowedButtonOwner {
public:
    explicit TsButton(toolkit::TComponent* AOwner);
    ~TsButton() override;

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TacAnimatEvents AnimatEvents() const { return animatEvents_; }
    void SetAnimatEvents(TacAnimatEvents value) { animatEvents_ = value; }
    TacDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TacDisabledKind value) { disabledKind_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value);
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

    // 0 normal, 1 hot or focused, 2 pressed, 3 the default button at rest.
    int CurrentState() { return skin_.CurrentState(); }
    bool PrepareCache() { return skin_.PrepareCache(); }
    toolkit::TRect CaptionRect() const { return skin_.LastPicture().CaptionRect; }

    void Invalidate() override;

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override { skin_.WndProc(message); }
    void PaintWindow(platform::HDC dc) override { skin_.PaintWindow(dc); }
    void EraseBackground(platform::HDC dc) override;

private:
    ButtonPictureResult PaintPicture(const ButtonSkin& skin, bool wantRegion, platform::Bitmap& cache) override;
    int StateFor(const WindowedButtonFacts& facts) const override { return PushButtonState(facts); }
    bool ButtonDown() const override { return down_; }
    TacAnimatEvents ButtonAnimatEvents() const override { return animatEvents_; }
    void InheritedWndProc(toolkit::TMessage& message) override { toolkit::TButton::WndProc(message); }
    void InheritedPaintWindow(platform::HDC dc) override { toolkit::TButton::PaintWindow(dc); }

    std::unique_ptr<TsCtrlSkinData> skinData_;
    WindowedButtonSkin skin_;
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
