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

namespace ui {

void SetTahoma(toolkit::TControl* control, int pixels, toolkit::TColor color, toolkit::TFontStyles style)
{
    control->SetParentFont(false);
    control->Font()->SetName(u"Tahoma");
    control->Font()->SetHeight(-pixels);
    control->Font()->SetColor(color);
    control->Font()->SetStyle(style);
}

} // namespace ui
