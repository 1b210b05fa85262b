#include "skin/controls/TsPanel.h"

namespace skin {

TsPanel::TsPanel(toolkit::TComponent* AOwner)
    : toolkit::TPanel(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsPanel))
{
}

void TsPanel::Loaded()
{
    toolkit::TPanel::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
