// The window "Пожертвования"; its components come with the window's own work.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

class TDonationForm : public toolkit::TForm {
public:
    explicit TDonationForm(toolkit::TComponent* AOwner);
};

extern TDonationForm* DonationForm;

} // namespace ui
