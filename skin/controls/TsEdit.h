// The skinned edit: the plain edit with its skin data and its bound label; without a skin it paints
// as the plain edit does.
#pragma once

#include "skin/controls/TsBoundLabel.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "toolkit/TEdit.h"

#include <memory>

namespace skin {

class TsEdit : public toolkit::TEdit {
public:
    explicit TsEdit(toolkit::TComponent* AOwner);

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TsBoundLabel& BoundLabel() { return boundLabel_; }
    const TsBoundLabel& BoundLabel() const { return boundLabel_; }
    TacDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TacDisabledKind value) { disabledKind_ = value; }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCtrlSkinData> skinData_;
    TsBoundLabel boundLabel_;
    TacDisabledKind disabledKind_{dkBlended};
};

} // namespace skin
