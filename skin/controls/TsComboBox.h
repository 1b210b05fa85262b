// The skinned combo box: the plain combo box with its skin data, its bound label and the skin's
// text placement; without a skin it paints as the plain combo box does.
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

protected:
    void Loaded() override;
    void DropDown() override;

private:
    std::unique_ptr<TsCtrlSkinData> skinData_;
    // The list's bars, from its first drop-down (the list is made then).
    std::unique_ptr<TacScrollWnd> listScrollWnd_;
    toolkit::TAlignment alignment_ = toolkit::taLeftJustify;
    toolkit::TVerticalAlignment verticalAlignment_ = toolkit::taVerticalCenter;
    TsBoundLabel boundLabel_;
    TacDisabledKind disabledKind_{dkBlended};
    bool showButton_ = true;
};

} // namespace skin
