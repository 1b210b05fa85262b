#include "ui/windows/TTVProgrammForm.h"

#include "ui/main/Sites.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TTVProgrammForm* TVProgrammForm = nullptr;

TTVProgrammForm::TTVProgrammForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"TVProgrammForm");
    SetCaption(u"Телепрограмма");
    SetFixedWindowLook(this, 794, 448, TBorderIcons{biSystemMenu}, poMainFormCenter);

    // Not aligned: the view reaches below the client area and runs under the panel.
    WebBrowser1 = new TWebBrowser(this);
    WebBrowser1->SetName(u"WebBrowser1");
    WebBrowser1->SetParent(this);
    WebBrowser1->SetBounds(0, 0, 794, 465);
    WebBrowser1->SetTabOrder(0);

    sPanel1 = new skin::TsPanel(this);
    sPanel1->SetName(u"sPanel1");
    sPanel1->SetParent(this);
    sPanel1->SetBounds(0, 428, 794, 20);
    sPanel1->SetAlign(alBottom);
    sPanel1->SetShowCaption(false);
    sPanel1->SetTabOrder(1);
    sPanel1->SkinData()->SetSkinSection(u"PANEL");

    OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TTVProgrammForm::FormShow(TObject*)
{
    WebBrowser1->Navigate(String(HomeSite) + u"/lumo9/tvprogramm.html");
}

} // namespace ui
