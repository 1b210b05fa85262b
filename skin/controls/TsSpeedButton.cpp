#include "skin/controls/TsSpeedButton.h"

namespace skin {

TsSpeedButton::TsSpeedButton(toolkit::TComponent* AOwner)
    : toolkit::TSpeedButton(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsSpeedButton))
{
}

void TsSpeedButton::Loaded()
{
    toolkit::TSpeedButton::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
