// The window "О программе": the program's picture, name, version, release date and a link to
// the home site.
#pragma once

#include "skin/controls/TsLabel.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"

namespace ui {

class TAboutForm : public toolkit::TForm {
public:
    explicit TAboutForm(toolkit::TComponent* AOwner);

    toolkit::TImage* Image1;
    skin::TsLabel* sLabel5;
    skin::TsLabel* sLabel1;
    skin::TsLabel* sLabel2;
    skin::TsLabel* sLabel3;
    skin::TsLabel* sLabel4;

    void sLabel4Click(toolkit::TObject* Sender);
};

extern TAboutForm* AboutForm;

} // namespace ui
