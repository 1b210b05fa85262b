#include "ui/windows/THelpForm.h"

#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

THelpForm* HelpForm = nullptr;

THelpForm::THelpForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"HelpForm");
    SetCaption(u"Помощь");
    SetFixedWindowLook(this, 374, 280, TBorderIcons{biSystemMenu}, poMainFormCenter);
}

} // namespace ui
