#include "skin/controls/TsGroupBox.h"

namespace skin {

TsGroupBox::TsGroupBox(toolkit::TComponent* AOwner) : toolkit::TGroupBox(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsGroupBox))
{
}

void TsGroupBox::Loaded()
{
    toolkit::TGroupBox::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
