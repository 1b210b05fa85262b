// The window "О программе"; its components come with the window's own work.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

class TAboutForm : public toolkit::TForm {
public:
    explicit TAboutForm(toolkit::TComponent* AOwner);
};

extern TAboutForm* AboutForm;

} // namespace ui
