#include "skin/controls/TsCheckBox.h"

namespace skin {

TsCheckBox::TsCheckBox(toolkit::TComponent* AOwner) : toolkit::TCheckBox(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsCheckBox))
{
}

void TsCheckBox::Loaded()
{
    toolkit::TCheckBox::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
