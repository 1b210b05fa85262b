#include "skin/controls/TsEdit.h"

namespace skin {

TsEdit::TsEdit(toolkit::TComponent* AOwner) : toolkit::TEdit(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsEdit))
{
}

void TsEdit::Loaded()
{
    toolkit::TEdit::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
