// The window "Настройки": the proxy values and the skin, kept in Config.ini through the main
// window's settings store. Created last at start, it applies the stored skin and hands the stored
// proxy to its HTTP client object. A skin choice applies at once; proxy changes wait for a restart.
#pragma once

#include "skin/controls/TsBitBtn.h"
#include "skin/controls/TsCheckBox.h"
#include "skin/controls/TsComboBox.h"
#include "skin/controls/TsEdit.h"
#include "skin/controls/TsGroupBox.h"
#include "skin/controls/TsLabel.h"
#include "skin/controls/TsPageControl.h"
#include "skin/controls/TsTabSheet.h"
#include "toolkit/TForm.h"
#include "ui/windows/TIdHTTP.h"

namespace ui {

class TSettingForm : public toolkit::TForm {
public:
    explicit TSettingForm(toolkit::TComponent* AOwner);

    skin::TsPageControl* sPageControl1;
    skin::TsTabSheet* sTabSheet2;
    skin::TsGroupBox* sGroupBox1;
    skin::TsLabel* sLabel1;
    skin::TsLabel* sLabel2;
    skin::TsEdit* sEdit2;
    skin::TsBitBtn* sBitBtn1;
    skin::TsCheckBox* sCheckBox1;
    skin::TsEdit* sEdit3;
    skin::TsGroupBox* sGroupBox2;
    skin::TsComboBox* sComboBox1;
    skin::TsBitBtn* sBitBtn2;
    TIdHTTP* IdHTTP1;

    void FormCreate(toolkit::TObject* Sender);
    void sBitBtn1Click(toolkit::TObject* Sender);
    void sBitBtn2Click(toolkit::TObject* Sender);
    void sComboBox1Change(toolkit::TObject* Sender);

private:
    void CreateProxyGroup();
    void CreateSkinGroup();
};

extern TSettingForm* SettingForm;

// Shown after a save and after a reset.
inline constexpr char16_t SettingsChangedMessage[] =
    u"Настройки успешно изменены! Для того что бы новые настройки вступили в силу необходимо перезапустить "
    u"программу!";

} // namespace ui
