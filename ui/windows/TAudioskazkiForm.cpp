#include "ui/windows/TAudioskazkiForm.h"

#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TAudioskazkiForm* AudioskazkiForm = nullptr;

TAudioskazkiForm::TAudioskazkiForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"AudioskazkiForm");
    SetCaption(u"Аудиосказки");
    SetFixedWindowLook(this, 490, 460, TBorderIcons{biSystemMenu}, poMainFormCenter);
}

} // namespace ui
