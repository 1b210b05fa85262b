#include "ui/windows/WindowLook.h"

#include "toolkit/Colors.h"

namespace ui {

using namespace toolkit;

void SetFixedWindowLook(TForm* form, int clientWidth, int clientHeight, TBorderIcons icons, TPosition position)
{
    form->SetBorderStyle(bsSingle);
    form->SetBorderIcons(icons);
    form->SetPosition(position);
    form->SetColor(clBtnFace);
    form->Font()->SetName(u"Tahoma");
    form->Font()->SetHeight(-11);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
}

} // namespace ui
