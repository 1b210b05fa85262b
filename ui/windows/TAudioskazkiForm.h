// The window "Аудиосказки"; its components come with the window's own work.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

class TAudioskazkiForm : public toolkit::TForm {
public:
    explicit TAudioskazkiForm(toolkit::TComponent* AOwner);
};

extern TAudioskazkiForm* AudioskazkiForm;

} // namespace ui
