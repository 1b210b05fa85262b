#include "ui/windows/TAboutForm.h"

#include "toolkit/Colors.h"
#include "ui/main/Sites.h"
#include "ui/windows/ArtBitmap.h"
#include "ui/windows/ShellOpen.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TAboutForm* AboutForm = nullptr;

namespace {

skin::TsLabel* MakeLabel(TAboutForm* form, StringView name, int left, int top, int width, int height,
                         StringView caption, int pixels = 13, TFontStyles style = {})
{
    auto* label = new skin::TsLabel(form);
    label->SetName(name);
    label->SetParent(form);
    label->SetBounds(left, top, width, height);
    label->SetCaption(caption);
    SetTahoma(label, pixels, clBlack, style);
    return label;
}

} // namespace

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"AboutForm");
    SetCaption(u"О программе");
    SetFixedWindowLook(this, 404, 120, TBorderIcons{biSystemMenu}, poMainFormCenter);

    Image1 = new TImage(this);
    Image1->SetName(u"Image1");
    Image1->SetParent(this);
    Image1->SetBounds(0, 0, 120, 120);
    Image1->SetAlign(alLeft);
    Image1->SetAutoSize(true);
    LoadArtBitmap(*Image1->Picture()->Bitmap(), "AboutPicture");

    sLabel5 = MakeLabel(this, u"sLabel5", 140, 10, 193, 33, u"Lumo TV Player", 27, TFontStyles{fsBold});
    sLabel1 = MakeLabel(this, u"sLabel1", 130, 55, 70, 16, u"Версия 9.10");
    sLabel2 = MakeLabel(this, u"sLabel2", 130, 70, 154, 16, u"Дата выпуска: 27.08.2016");
    sLabel3 = MakeLabel(this, u"sLabel3", 130, 85, 119, 16, u"Официальный сайт:");
    sLabel4 = MakeLabel(this, u"sLabel4", 260, 85, 113, 16, HomeSite);
    sLabel4->SetCursor(crHandPoint);
    sLabel4->SetColor(clBtnFace);
    sLabel4->OnClick = [this](TObject* sender) { sLabel4Click(sender); };
}

void TAboutForm::sLabel4Click(TObject*)
{
    OpenInBrowser(HomeSite);
}

} // namespace ui
