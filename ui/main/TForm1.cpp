#include "ui/main/TForm1.h"

#include "toolkit/Colors.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TForm1* Form1 = nullptr;

namespace {

TPanel* MakePanel(TForm1* form, StringView name, int left, int top, int width, int height, TAlign align,
                  int tabOrder)
{
    auto* panel = new TPanel(form);
    panel->SetName(name);
    panel->SetParent(form);
    panel->SetBounds(left, top, width, height);
    panel->SetAlign(align);
    panel->SetShowCaption(false);
    panel->SetTabOrder(tabOrder);
    return panel;
}

} // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"Form1");
    SetCaption(u"Lumo TV Player");
    SetFixedWindowLook(this, 659, 533, TBorderIcons{biSystemMenu, biMinimize}, poScreenCenter);

    sPanel1 = MakePanel(this, u"sPanel1", 0, 0, 659, 40, alTop, 0);
    sPanel2 = MakePanel(this, u"sPanel2", 0, 493, 659, 40, alBottom, 1);
    sPanel3 = MakePanel(this, u"sPanel3", 0, 40, 659, 453, alClient, 2);

    Chromium1 = new engine::TChromium(this);
    Chromium1->SetName(u"Chromium1");
    Chromium1->SetParent(sPanel3);
    Chromium1->SetBounds(-5, -5, 700, 460);
    Chromium1->SetTabOrder(0);
    Chromium1->SetDefaultUrl(u"about:blank");
}

} // namespace ui
