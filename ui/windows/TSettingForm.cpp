#include "ui/windows/TSettingForm.h"

#include "toolkit/Colors.h"
#include "toolkit/Dialogs.h"
#include "toolkit/SysUtils.h"
#include "ui/main/TForm1.h"
#include "ui/windows/SkinChoices.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TSettingForm* SettingForm = nullptr;

namespace {

template <class T>
T* Make(TSettingForm* form, TWinControl* parent, StringView name, int left, int top, int width, int height)
{
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

skin::TsEdit* MakeEdit(TSettingForm* form, StringView name, int top)
{
    auto* edit = Make<skin::TsEdit>(form, form->sGroupBox1, name, 55, top, 121, 21);
    edit->SetColor(clWhite);
    SetTahoma(edit, 11, clBlack);
    edit->SkinData()->SetSkinSection(u"EDIT");
    return edit;
}

} // namespace

TSettingForm::TSettingForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"SettingForm");
    SetCaption(u"Настройки");
    SetFixedWindowLook(this, 494, 290, TBorderIcons{biSystemMenu}, poMainFormCenter);

    sPageControl1 = Make<skin::TsPageControl>(this, this, u"sPageControl1", 0, 0, 494, 290);
    sPageControl1->SetAlign(alClient);
    sPageControl1->SkinData()->SetSkinSection(u"PAGECONTROL");
    sTabSheet2 = new skin::TsTabSheet(this);
    sTabSheet2->SetName(u"sTabSheet2");
    sTabSheet2->SetPageControl(sPageControl1);
    sTabSheet2->SetCaption(u"Настройки");
    sTabSheet2->SkinData()->SetCustomColor(false);
    sTabSheet2->SkinData()->SetCustomFont(false);
    sPageControl1->SetActivePage(sTabSheet2);

    CreateProxyGroup();
    CreateSkinGroup();

    sBitBtn2 = Make<skin::TsBitBtn>(this, sTabSheet2, u"sBitBtn2", 180, 225, 140, 30);
    sBitBtn2->SetCaption(u"Сброс настроек");
    sBitBtn2->SkinData()->SetSkinSection(u"BUTTON");
    sBitBtn2->SetTabOrder(2);

    IdHTTP1 = new TIdHTTP(this);
    IdHTTP1->SetName(u"IdHTTP1");

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    sBitBtn1->OnClick = [this](TObject* sender) { sBitBtn1Click(sender); };
    sBitBtn2->OnClick = [this](TObject* sender) { sBitBtn2Click(sender); };
    sComboBox1->OnChange = [this](TObject* sender) { sComboBox1Change(sender); };
}

void TSettingForm::CreateProxyGroup()
{
    sGroupBox1 = Make<skin::TsGroupBox>(this, sTabSheet2, u"sGroupBox1", 8, 8, 470, 140);
    sGroupBox1->SetCaption(u"Настройки прокси");
    sGroupBox1->SkinData()->SetSkinSection(u"GROUPBOX");
    sGroupBox1->SetTabOrder(0);

    sLabel1 = Make<skin::TsLabel>(this, sGroupBox1, u"sLabel1", 15, 24, 35, 13);
    sLabel1->SetCaption(u"Адрес:");
    SetTahoma(sLabel1, 11, clBlack);
    sLabel2 = Make<skin::TsLabel>(this, sGroupBox1, u"sLabel2", 15, 53, 29, 13);
    sLabel2->SetCaption(u"Порт:");
    SetTahoma(sLabel2, 11, clBlack);

    sEdit2 = MakeEdit(this, u"sEdit2", 18);
    sBitBtn1 = Make<skin::TsBitBtn>(this, sGroupBox1, u"sBitBtn1", 15, 103, 190, 25);
    sBitBtn1->SetCaption(u"Сохранить настройки соединения");
    sBitBtn1->SkinData()->SetSkinSection(u"BUTTON");
    sCheckBox1 = Make<skin::TsCheckBox>(this, sGroupBox1, u"sCheckBox1", 15, 78, 185, 20);
    sCheckBox1->SetCaption(u"Использовать настройки прокси");
    sCheckBox1->SkinData()->SetSkinSection(u"CHECKBOX");
    sCheckBox1->SetImgChecked(0);
    sCheckBox1->SetImgUnchecked(0);
    sEdit3 = MakeEdit(this, u"sEdit3", 48);
    // A tab order moves the others aside, so they are given from the lowest up.
    sEdit2->SetTabOrder(0);
    sBitBtn1->SetTabOrder(1);
    sCheckBox1->SetTabOrder(2);
    sEdit3->SetTabOrder(3);
}

void TSettingForm::CreateSkinGroup()
{
    sGroupBox2 = Make<skin::TsGroupBox>(this, sTabSheet2, u"sGroupBox2", 8, 155, 470, 60);
    sGroupBox2->SetCaption(u"Изменить внешний вид программы");
    sGroupBox2->SkinData()->SetSkinSection(u"GROUPBOX");
    sGroupBox2->SetTabOrder(1);

    sComboBox1 = Make<skin::TsComboBox>(this, sGroupBox2, u"sComboBox1", 15, 25, 190, 21);
    sComboBox1->SetStyle(csDropDown);
    sComboBox1->SetAutoComplete(true);
    sComboBox1->SetDropDownCount(16);
    sComboBox1->SetAlignment(taLeftJustify);
    sComboBox1->SetColor(clWhite);
    SetTahoma(sComboBox1, 11, clBlack);
    sComboBox1->SkinData()->SetSkinSection(u"COMBOBOX");
    for (std::u16string_view name : SkinChoices)
        sComboBox1->Items()->Add(name);
    sComboBox1->SetItemIndex(-1);
    sComboBox1->SetTabOrder(0);
}

void TSettingForm::FormCreate(TObject*)
{
    Form1->sSkinManager1->SetSkinName(ini->ReadString(u"Skin", u"useSkin", DefaultSkinName));
    sEdit2->SetText(ini->ReadString(u"Proxy", u"ip", u"0"));
    sEdit3->SetText(ini->ReadString(u"Proxy", u"port", u"0"));
    sCheckBox1->SetChecked(ini->ReadBool(u"Proxy", u"useProxy", false));
    if (sCheckBox1->Checked())
        IdHTTP1->ProxyParams().SetProxyServer(sEdit2->Text());
    // A stored port that is no integer ends the handler here, reported; start-up goes on.
    IdHTTP1->ProxyParams().SetProxyPort(StrToInt(sEdit3->Text()));
}

void TSettingForm::sBitBtn1Click(TObject*)
{
    if (sCheckBox1->Checked()) {
        ini->WriteString(u"Proxy", u"ip", sEdit2->Text());
        ini->WriteString(u"Proxy", u"port", sEdit3->Text());
        ini->WriteBool(u"Proxy", u"useProxy", true);
    } else {
        ini->WriteBool(u"Proxy", u"useProxy", false);
    }
    ShowMessage(SettingsChangedMessage);
}

void TSettingForm::sBitBtn2Click(TObject*)
{
    int rezult = MessageDlg(u"Вы дествительно хотите сбросить настройки?", mtInformation, mbOKCancel);
    if (rezult != mrOk)
        return;
    sEdit2->SetText(u"0");
    sEdit3->SetText(u"0");
    sCheckBox1->SetChecked(false);
    Form1->sSkinManager1->SetSkinName(DefaultSkinName);
    ini->WriteString(u"Proxy", u"ip", u"0");
    ini->WriteString(u"Proxy", u"port", u"0");
    ini->WriteBool(u"Proxy", u"useProxy", false);
    ini->WriteString(u"Skin", u"useSkin", DefaultSkinName);
    ShowMessage(SettingsChangedMessage);
}

void TSettingForm::sComboBox1Change(TObject*)
{
    // Typed text that matches no item leaves no selection: the empty name is applied and stored.
    auto selectedText = [this]() -> String {
        int index = sComboBox1->ItemIndex();
        return index >= 0 && index < sComboBox1->Items()->Count() ? sComboBox1->Items()->Strings(index) : String();
    };
    Form1->sSkinManager1->SetSkinName(selectedText());
    ini->WriteString(u"Skin", u"useSkin", selectedText());
}

} // namespace ui
