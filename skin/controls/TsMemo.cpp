#include "skin/controls/TsMemo.h"

namespace skin {

TsMemo::TsMemo(toolkit::TComponent* AOwner) : toolkit::TMemo(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsMemo))
{
}

void TsMemo::Loaded()
{
    toolkit::TMemo::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
