#include "ui/windows/TSettingForm.h"

#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TSettingForm* SettingForm = nullptr;

TSettingForm::TSettingForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"SettingForm");
    SetCaption(u"Настройки");
    SetFixedWindowLook(this, 494, 290, TBorderIcons{biSystemMenu}, poMainFormCenter);
}

} // namespace ui
