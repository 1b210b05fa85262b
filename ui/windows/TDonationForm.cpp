#include "ui/windows/TDonationForm.h"

#include "toolkit/Colors.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TDonationForm* DonationForm = nullptr;

TDonationForm::TDonationForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"DonationForm");
    SetCaption(u"Пожертвования");
    SetFixedWindowLook(this, 294, 158, TBorderIcons{biSystemMenu}, poMainFormCenter);

    sLabel1 = new skin::TsLabel(this);
    sLabel1->SetName(u"sLabel1");
    sLabel1->SetParent(this);
    sLabel1->SetBounds(30, 10, 235, 32);
    sLabel1->SetAutoSize(false);
    sLabel1->SetWordWrap(true);
    sLabel1->SetCaption(u"Понравилась программа - отблагодари разработчиков!");
    SetTahoma(sLabel1, 13, clBlack);

    sMemo1 = new skin::TsMemo(this);
    sMemo1->SetName(u"sMemo1");
    sMemo1->SetParent(this);
    sMemo1->SetBounds(30, 50, 235, 90);
    sMemo1->SetReadOnly(true);
    sMemo1->SetColor(clWhite);
    SetTahoma(sMemo1, 11, clBlack);
    sMemo1->SkinData()->SetSkinSection(u"EDIT");
    sMemo1->SetTabOrder(0);
    // The project's own wallets.
    sMemo1->SetText(u"Кошельки WebMoney: \r\n"
                    u"R283915640271\r\n"
                    u"Z504718263945\r\n"
                    u"E716402958133\r\n"
                    u"U925037184606\r\n");
}

} // namespace ui
