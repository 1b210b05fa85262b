// The window "Настройки"; its components come with the window's own work.
#pragma once

#include "toolkit/TForm.h"

namespace ui {

class TSettingForm : public toolkit::TForm {
public:
    explicit TSettingForm(toolkit::TComponent* AOwner);
};

extern TSettingForm* SettingForm;

} // namespace ui
