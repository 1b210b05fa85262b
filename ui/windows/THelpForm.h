// The window "Помощь"; its components come with the window's own work.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

class THelpForm : public toolkit::TForm {
public:
    explicit THelpForm(toolkit::TComponent* AOwner);
};

extern THelpForm* HelpForm;

} // namespace ui
