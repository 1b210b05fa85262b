// The main window: the remote-control window with its three panels and the browser control.
#pragma once

#include "engine/TChromium.h"
#include "toolkit/TForm.h"
#include "toolkit/TPanel.h"

namespace ui {

class TForm1 : public toolkit::TForm {
public:
    explicit TForm1(toolkit::TComponent* AOwner);

    toolkit::TPanel* sPanel1;
    toolkit::TPanel* sPanel2;
    toolkit::TPanel* sPanel3;
    engine::TChromium* Chromium1;
};

extern TForm1* Form1;

} // namespace ui
