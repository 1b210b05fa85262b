#include "ui/windows/THelpForm.h"

#include "platform/system/Paths.h"
#include "platform/system/Shell.h"
#include "toolkit/Colors.h"
#include "ui/main/Sites.h"
#include "ui/windows/OtherSites.h"
#include "ui/windows/ShellOpen.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

THelpForm* HelpForm = nullptr;

const char16_t* const HelpRequirementsText =
    u"1. OC Windows\r\n"
    u"2. Подключение к Интернету\r\n"
    u"3. Adobe Flash Player \r\n"
    u"    для браузера Mozilla Firefox\r\n"
    u"4. VLC Media Player\r\n"
    u"5. Программа должна быть запущена \r\n"
    u"    от имени \"Администратора\"\r\n"
    u"\r\n"
    u"Если в ходе работы с программой у вас возникли трудности - поищите решение на страницах "
    u"официального сайта программы:";

namespace {

skin::TsLabel* MakeLabel(THelpForm* form, StringView name, int left, int top, int width, int height,
                         StringView caption, TColor color, TFontStyles style)
{
    auto* label = new skin::TsLabel(form);
    label->SetName(name);
    label->SetParent(form);
    label->SetBounds(left, top, width, height);
    label->SetCaption(caption);
    SetTahoma(label, 13, color, style);
    return label;
}

skin::TsButton* MakeButton(THelpForm* form, StringView name, int top, StringView caption)
{
    auto* button = new skin::TsButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetBounds(235, top, 130, 40);
    button->SetCaption(caption);
    button->SetCursor(crHandPoint);
    button->SkinData()->SetSkinSection(u"BUTTON");
    return button;
}

} // namespace

THelpForm::THelpForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"HelpForm");
    SetCaption(u"Помощь");
    SetFixedWindowLook(this, 374, 280, TBorderIcons{biSystemMenu}, poMainFormCenter);

    sLabel1 = MakeLabel(this, u"sLabel1", 8, 10, 325, 16, u"Для нормальной работы программы требуется:", clBlack,
                        TFontStyles{fsBold});
    sLabel2 = MakeLabel(this, u"sLabel2", 10, 40, 296, 176, HelpRequirementsText, clBlack, {});
    sLabel2->SetAutoSize(false);
    sLabel2->SetWordWrap(true);
    sLabel3 = MakeLabel(this, u"sLabel3", 120, 245, 131, 16, HomeSite, clBlue, TFontStyles{fsBold});
    sLabel3->SetHint(HomeSite);
    sLabel3->SetShowHint(true);
    sLabel3->SetCursor(crHandPoint);
    sLabel3->SetUseSkinColor(false);

    sButton2 = MakeButton(this, u"sButton2", 90, u"Установить VLC Media Player");
    sButton1 = MakeButton(this, u"sButton1", 44, u"Установить Adobe Flash Player");
    sButton2->SetTabOrder(0);
    sButton1->SetTabOrder(1);

    sButton1->OnClick = [this](TObject* sender) { sButton1Click(sender); };
    sButton2->OnClick = [this](TObject* sender) { sButton2Click(sender); };
    sLabel3->OnClick = [this](TObject* sender) { sLabel3Click(sender); };
}

void THelpForm::sButton1Click(TObject*)
{
    OpenInBrowser(String(FlashPlayerSite) + u"/ru/flashplayer/otherversions/");
}

void THelpForm::sButton2Click(TObject*)
{
    // Found through the program's own folder, whatever the working folder is.
    String installer = platform::ExecutableDirectory() + u"plugin\\vlcplugin.exe";
    platform::ShellExecute(Handle(), u"open", installer.c_str(), nullptr, nullptr, platform::SW_SHOWNORMAL);
}

void THelpForm::sLabel3Click(TObject*)
{
    OpenInBrowser(HomeSite);
}

} // namespace ui
