#include "skin/controls/TsBitBtn.h"

namespace skin {

TsBitBtn::TsBitBtn(toolkit::TComponent* AOwner)
    : toolkit::TBitBtn(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsBitBtn))
{
    // The skinned bit button breaks its caption into lines by default.
    SetWordWrap(true);
    ControlStyle.Exclude(toolkit::csOpaque);
}

void TsBitBtn::Loaded()
{
    toolkit::TBitBtn::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
