#include "skin/controls/TsPageControl.h"

namespace skin {

TsPageControl::TsPageControl(toolkit::TComponent* AOwner) : toolkit::TPageControl(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsPageControl))
{
}

void TsPageControl::Loaded()
{
    toolkit::TPageControl::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
