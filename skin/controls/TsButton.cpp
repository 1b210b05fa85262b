#include "skin/controls/TsButton.h"

namespace skin {

TsButton::TsButton(toolkit::TComponent* AOwner) : toolkit::TButton(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsButton))
{
    // The skinned push button breaks its caption into lines by default.
    SetWordWrap(true);
}

void TsButton::Loaded()
{
    toolkit::TButton::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
