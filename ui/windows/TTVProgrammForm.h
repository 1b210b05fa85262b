// The window "Телепрограмма"; its components come with the window's own work.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

class TTVProgrammForm : public toolkit::TForm {
public:
    explicit TTVProgrammForm(toolkit::TComponent* AOwner);
};

extern TTVProgrammForm* TVProgrammForm;

} // namespace ui
