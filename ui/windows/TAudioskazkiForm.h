// The window "Аудиосказки": the tales page of the home site in the system web view, with a remote
// toggle that hides and shows the main window and a stay-on-top toggle. Closing it while the main
// window is hidden ends the program. It also carries the program's right-button filter: a mouse
// hook of the UI thread, installed with the window at start and removed with it at the end, that
// keeps right clicks away from every system web view of the program.
#pragma once

#include "platform/window/Hook.h"
#include "skin/controls/TsPanel.h"
#include "skin/controls/TsSpeedButton.h"
#include "toolkit/TForm.h"
#include "toolkit/TWebBrowser.h"

namespace ui {

class TAudioskazkiForm : public toolkit::TForm {
public:
    explicit TAudioskazkiForm(toolkit::TComponent* AOwner);

    skin::TsPanel* sPanel1;
    skin::TsSpeedButton* sSpeedButton1;
    skin::TsSpeedButton* sSpeedButton2;
    skin::TsSpeedButton* sSpeedButton3;
    toolkit::TWebBrowser* WebBrowser1;

    void FormCreate(toolkit::TObject* Sender);
    void FormDestroy(toolkit::TObject* Sender);
    void FormShow(toolkit::TObject* Sender);
    void FormClose(toolkit::TObject* Sender, toolkit::TCloseAction& Action);
    void sSpeedButton1Click(toolkit::TObject* Sender);
    void sSpeedButton2Click(toolkit::TObject* Sender);
    void sSpeedButton3Click(toolkit::TObject* Sender);
};

extern TAudioskazkiForm* AudioskazkiForm;

// The right-button filter's state: the installed hook, and whether its popup menu is showing.
extern platform::HHOOK HMouseHook;
extern bool Pop;
platform::LRESULT MouseProc(int nCode, platform::WPARAM WP, platform::LPARAM LP);

} // namespace ui
