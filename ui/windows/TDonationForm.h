// The window "Пожертвования": a thank-you line and the wallets that take donations, in a read-only
// memo so that they can be copied.
#pragma once

#include "skin/controls/TsLabel.h"
#include "skin/controls/TsMemo.h"
#include "toolkit/TForm.h"

namespace ui {

class TDonationForm : public toolkit::TForm {
public:
    explicit TDonationForm(toolkit::TComponent* AOwner);

    skin::TsLabel* sLabel1;
    skin::TsMemo* sMemo1;
};

extern TDonationForm* DonationForm;

} // namespace ui
