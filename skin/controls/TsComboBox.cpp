#include "skin/controls/TsComboBox.h"

#include "skin/scroll/ScrollBarSources.h"
#include "toolkit/TComboDropList.h"

namespace skin {

TsComboBox::TsComboBox(toolkit::TComponent* AOwner) : toolkit::TComboBox(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsComboBox))
{
}

void TsComboBox::Loaded()
{
    toolkit::TComboBox::Loaded();
    skinData_->SetLoading(false);
}

void TsComboBox::DropDown()
{
    toolkit::TComboBox::DropDown();
    if (!listScrollWnd_ && ListWindow())
        listScrollWnd_ = std::make_unique<TacScrollWnd>(*ListWindow(), *skinData_, DropListScrollBars(*ListWindow()));
}

} // namespace skin
