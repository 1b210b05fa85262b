// The window "Помощь": what the program needs to work, with buttons that fetch the Flash Player
// plug-in and start the VLC installer kept beside the program, and a link to the home site.
#pragma once

#include "skin/controls/TsButton.h"
#include "skin/controls/TsLabel.h"
#include "toolkit/TForm.h"

namespace ui {

class THelpForm : public toolkit::TForm {
public:
    explicit THelpForm(toolkit::TComponent* AOwner);

    skin::TsLabel* sLabel1;
    skin::TsLabel* sLabel2;
    skin::TsLabel* sLabel3;
    skin::TsButton* sButton2;
    skin::TsButton* sButton1;

    void sButton1Click(toolkit::TObject* Sender);
    void sButton2Click(toolkit::TObject* Sender);
    void sLabel3Click(toolkit::TObject* Sender);
};

extern THelpForm* HelpForm;

// The requirement text of the help window, nine lines.
extern const char16_t* const HelpRequirementsText;

} // namespace ui
