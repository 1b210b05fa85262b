#include "skin/controls/TsMemo.h"

#include "skin/scroll/ScrollBarSources.h"

namespace skin {

TsMemo::TsMemo(toolkit::TComponent* AOwner) : toolkit::TMemo(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsMemo))
{
    scrollWnd_ = std::make_unique<TacScrollWnd>(*this, *skinData_, MemoScrollBars(*this));
}

void TsMemo::Loaded()
{
    toolkit::TMemo::Loaded();
    skinData_->SetLoading(false);
}

} // namespace skin
