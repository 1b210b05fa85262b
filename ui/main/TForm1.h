// The main window: the remote control of the program. Source buttons at the top load a page and
// place the browser control so that only the page's player shows through the content panel; tool
// buttons at the bottom open the other windows and nudge the visible region; the browser
// control's filter handlers cancel advertising requests and refuse pop-ups.
#pragma once

#include "engine/TChromium.h"
#include "skin/controls/TsBitBtn.h"
#include "skin/controls/TsPanel.h"
#include "skin/controls/TsSpeedButton.h"
#include "skin/manager/TsSkinManager.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TIniFile.h"
#include "ui/main/SourceTable.h"

#include <array>
#include <memory>

namespace ui {

class TForm1 : public toolkit::TForm {
public:
    explicit TForm1(toolkit::TComponent* AOwner);
    ~TForm1() override;

    skin::TsPanel* sPanel1;
    skin::TsPanel* sPanel2;
    skin::TsPanel* sPanel3;
    engine::TChromium* Chromium1;
    skin::TsSkinManager* sSkinManager1;
    skin::TsBitBtn* sBitBtn1;
    skin::TsBitBtn* sBitBtn2;
    skin::TsBitBtn* sBitBtn3;
    skin::TsBitBtn* sBitBtn4;
    skin::TsBitBtn* sBitBtn5;
    skin::TsBitBtn* sBitBtn6;
    skin::TsSpeedButton* sSpeedButton1;
    skin::TsSpeedButton* sSpeedButton2;
    skin::TsSpeedButton* sSpeedButton3;
    skin::TsSpeedButton* sSpeedButton4;
    skin::TsSpeedButton* sSpeedButton5;
    skin::TsSpeedButton* sSpeedButton6;
    skin::TsSpeedButton* sSpeedButton7;
    skin::TsSpeedButton* sSpeedButton8;
    skin::TsSpeedButton* sSpeedButton9;
    skin::TsSpeedButton* sSpeedButton10;
    skin::TsSpeedButton* sSpeedButton11;
    skin::TsSpeedButton* sSpeedButton12;
    skin::TsSpeedButton* sSpeedButton13;
    toolkit::TEdit* MoveEdit;

    void FormCreate(toolkit::TObject* Sender);
    void FormDestroy(toolkit::TObject* Sender);

    void sBitBtn1Click(toolkit::TObject* Sender);
    void sBitBtn2Click(toolkit::TObject* Sender);
    void sBitBtn3Click(toolkit::TObject* Sender);
    void sBitBtn4Click(toolkit::TObject* Sender);
    void sBitBtn5Click(toolkit::TObject* Sender);
    void sBitBtn6Click(toolkit::TObject* Sender);
    void sSpeedButton1Click(toolkit::TObject* Sender);
    void sSpeedButton2Click(toolkit::TObject* Sender);
    void sSpeedButton3Click(toolkit::TObject* Sender);
    void sSpeedButton4Click(toolkit::TObject* Sender);
    void sSpeedButton5Click(toolkit::TObject* Sender);
    void sSpeedButton6Click(toolkit::TObject* Sender);
    void sSpeedButton7Click(toolkit::TObject* Sender);
    void sSpeedButton8Click(toolkit::TObject* Sender);
    void sSpeedButton9Click(toolkit::TObject* Sender);
    void sSpeedButton10Click(toolkit::TObject* Sender);
    void sSpeedButton11Click(toolkit::TObject* Sender);
    void sSpeedButton12Click(toolkit::TObject* Sender);
    void sSpeedButton13Click(toolkit::TObject* Sender);

    // Called on the engine's IO thread: they read only their arguments and constant text.
    static void Chromium1BeforeResourceLoad(toolkit::TObject* Sender, const engine::ICefBrowser& browser,
                                            const engine::ICefFrame& frame, const engine::ICefRequest& request,
                                            bool& Result);
    static void Chromium1BeforePopup(toolkit::TObject* Sender, const engine::ICefBrowser& browser,
                                     const engine::ICefFrame& frame, const engine::String& targetUrl,
                                     const engine::String& targetFrameName,
                                     const cef_popup_features_t& popupFeatures, cef_window_info_t& windowInfo,
                                     engine::ICefClient& client, cef_browser_settings_t& settings,
                                     bool& noJavascriptAccess, bool& Result);
    static void Chromium1ContextMenuCommand(toolkit::TObject* Sender, const engine::ICefBrowser& browser,
                                            const engine::ICefFrame& frame,
                                            const engine::ICefContextMenuParams& params, int commandId,
                                            engine::TCefEventFlags eventFlags, bool& Result);

protected:
    void Loaded() override;

private:
    void CreateSourceButtons();
    void CreateToolButtons();
    void ConnectEvents();
    void SelectSource(SourceIndex index);
    void Nudge(int steps);

    std::unique_ptr<skin::TsSkinManager> skinManager_;
};

extern TForm1* Form1;
// The settings store on Config.ini (see ConfigLocation.h): made by the main window at its creation
// and freed at its destruction; the settings window reads and writes through it.
extern toolkit::TIniFile* ini;

} // namespace ui
