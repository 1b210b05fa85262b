// The window "Телепрограмма": the TV guide page of the home site in the system web view, loaded
// afresh each time the window is shown.
#pragma once

#include "skin/controls/TsPanel.h"
#include "toolkit/TForm.h"
#include "toolkit/TWebBrowser.h"

namespace ui {

class TTVProgrammForm : public toolkit::TForm {
public:
    explicit TTVProgrammForm(toolkit::TComponent* AOwner);

    toolkit::TWebBrowser* WebBrowser1;
    skin::TsPanel* sPanel1;

    void FormShow(toolkit::TObject* Sender);
};

extern TTVProgrammForm* TVProgrammForm;

} // namespace ui
