// The skinned combo box: the edit part in its section (hot while focused) with the current text
// in the state's colours, the drop-down button in the skin's combo button section with the arrow
// image of the combo's section, and the items of its list drawn in the skin's selection and edit
// colours. The list's frame and scroll bar stay the plain list's until skinned scroll bars take
// them over. Without a skin it paints as the plain combo box does.
#pragma once

#include "skin/controls/TsBoundLabel.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "skin/scroll/TacScrollWnd.h"
#include "toolkit/TComboBox.h"

#include <memory>

namespace skin {

class TsComboBox : public toolkit::TComboBox {
public:
    explicit TsComboBox(toolkit::TComponent* AOwner);

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    // Placement of the text of the edit part and of the items.
    toolkit::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(toolkit::TAlignment value) { alignment_ = value; }
    toolkit::TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(toolkit::TVerticalAlignment value) { verticalAlignment_ = value; }
    TsBoundLabel& BoundLabel() { return boundLabel_; }
    const TsBoundLabel& BoundLabel() const { return boundLabel_; }
    TacDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TacDisabledKind value) { disabledKind_ = value; }
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool value) { showButton_ = value; }

    // The drop-down button as the skin draws it, in window coordinates (the frame included).
    platform::RECT SkinButtonRect();
    // The button's own state: 2 while the list is open, 1 while the mouse is over it, else 0.
    int ButtonState() const;
    // The whole window's picture (frame included) into the cache; false when the parent is not
    // ready.
    bool PrepareCache();

    void DrawItem(toolkit::TCanvas& canvas, int index, const toolkit::TRect& r, unsigned state) override;

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void Paint() override;
    void PaintFrame(platform::HDC windowDC) override;
    void DropDown() override;

private:
    void PaintButton(platform::Bitmap& cache);
    void FollowButtonState();

    std::unique_ptr<TsCtrlSkinData> skinData_;
    // The list's bars, from its first drop-down (the list is made then).
    std::unique_ptr<TacScrollWnd> listScrollWnd_;
    toolkit::TAlignment alignment_ = toolkit::taLeftJustify;
    toolkit::TVerticalAlignment verticalAlignment_ = toolkit::taVerticalCenter;
    TsBoundLabel boundLabel_;
    TacDisabledKind disabledKind_{dkBlended};
    bool showButton_ = true;
    // The mouse is over the button rectangle.
    bool buttonHot_ = false;
    int shownButtonState_ = 0;
};

} // namespace skin
