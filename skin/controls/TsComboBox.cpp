#include "skin/controls/TsComboBox.h"

namespace skin {

TsComboBox::TsComboBox(toolkit::TComponent* AOwner) : toolkit::TComboBox(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsComboBox))
{
}

void TsComboBox::Loaded()
{
    toolkit::TComboBox::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
