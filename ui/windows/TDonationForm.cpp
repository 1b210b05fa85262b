#include "ui/windows/TDonationForm.h"

#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TDonationForm* DonationForm = nullptr;

TDonationForm::TDonationForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"DonationForm");
    SetCaption(u"Пожертвования");
    SetFixedWindowLook(this, 294, 158, TBorderIcons{biSystemMenu}, poMainFormCenter);
}

} // namespace ui
