#include "ui/windows/TAboutForm.h"

#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"AboutForm");
    SetCaption(u"О программе");
    SetFixedWindowLook(this, 404, 120, TBorderIcons{biSystemMenu}, poMainFormCenter);
}

} // namespace ui
