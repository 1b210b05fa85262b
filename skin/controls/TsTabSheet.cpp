#include "skin/controls/TsTabSheet.h"

namespace skin {

TsTabSheet::TsTabSheet(toolkit::TComponent* AOwner) : toolkit::TTabSheet(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsTabSheet))
{
}

void TsTabSheet::Loaded()
{
    toolkit::TTabSheet::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
