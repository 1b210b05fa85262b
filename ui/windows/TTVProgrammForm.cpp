#include "ui/windows/TTVProgrammForm.h"

#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TTVProgrammForm* TVProgrammForm = nullptr;

TTVProgrammForm::TTVProgrammForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"TVProgrammForm");
    SetCaption(u"Телепрограмма");
    SetFixedWindowLook(this, 794, 448, TBorderIcons{biSystemMenu}, poMainFormCenter);
}

} // namespace ui
