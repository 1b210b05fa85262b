#include "skin/controls/TsButton.h"

namespace skin {

TsButton::TsButton(toolkit::TComponent* AOwner) : toolkit::TButton(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsButton))
{
}

void TsButton::Loaded()
{
    toolkit::TButton::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
