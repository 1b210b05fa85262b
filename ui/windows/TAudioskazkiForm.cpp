#include "ui/windows/TAudioskazkiForm.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"
#include "toolkit/FindControlAt.h"
#include "toolkit/TPopupMenu.h"
#include "ui/main/Sites.h"
#include "ui/main/TForm1.h"
#include "ui/windows/ArtBitmap.h"
#include "ui/windows/WindowLook.h"

namespace ui {

using namespace toolkit;

TAudioskazkiForm* AudioskazkiForm = nullptr;
platform::HHOOK HMouseHook = nullptr;
bool Pop = false;

namespace {

skin::TsSpeedButton* MakeButton(TAudioskazkiForm* form, StringView name, int left, int height, StringView hint,
                                std::string_view glyph)
{
    auto* button = new skin::TsSpeedButton(form);
    button->SetName(name);
    button->SetParent(form->sPanel1);
    button->SetBounds(left, 1, 24, height);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->SkinData()->SetSkinSection(u"SPEEDBUTTON");
    LoadArtBitmap(*button->Glyph(), glyph);
    return button;
}

} // namespace

TAudioskazkiForm::TAudioskazkiForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"AudioskazkiForm");
    SetCaption(u"Аудиосказки");
    SetFixedWindowLook(this, 490, 460, TBorderIcons{biSystemMenu}, poMainFormCenter);

    sPanel1 = new skin::TsPanel(this);
    sPanel1->SetName(u"sPanel1");
    sPanel1->SetParent(this);
    sPanel1->SetBounds(0, 434, 490, 26);
    sPanel1->SetAlign(alBottom);
    sPanel1->SetShowCaption(false);
    sPanel1->SetTabOrder(0);
    sPanel1->SkinData()->SetSkinSection(u"PANEL");

    sSpeedButton1 = MakeButton(this, u"sSpeedButton1", 465, 24, u"Вкл./Выкл. Пульт", "TalesRemote24");
    sSpeedButton1->SetAlign(alRight);
    sSpeedButton1->SetFlat(true);
    sSpeedButton2 = MakeButton(this, u"sSpeedButton2", 441, 25, u"Поверх всех окон (Вкл.)", "TalesOnTop16");
    sSpeedButton3 = MakeButton(this, u"sSpeedButton3", 441, 25, u"Поверх всех окон (Откл.)", "TalesClose16");
    sSpeedButton3->SetVisible(false);

    WebBrowser1 = new TWebBrowser(this);
    WebBrowser1->SetName(u"WebBrowser1");
    WebBrowser1->SetParent(this);
    WebBrowser1->SetBounds(0, 0, 490, 434);
    WebBrowser1->SetAlign(alClient);
    WebBrowser1->SetTabOrder(1);

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    sSpeedButton1->OnClick = [this](TObject* sender) { sSpeedButton1Click(sender); };
    sSpeedButton2->OnClick = [this](TObject* sender) { sSpeedButton2Click(sender); };
    sSpeedButton3->OnClick = [this](TObject* sender) { sSpeedButton3Click(sender); };
}

void TAudioskazkiForm::FormCreate(TObject*)
{
    HMouseHook = platform::SetWindowsHookEx(platform::WH_MOUSE, MouseProc, nullptr, platform::GetCurrentThreadId());
}

void TAudioskazkiForm::FormDestroy(TObject*)
{
    platform::UnhookWindowsHookEx(HMouseHook);
    HMouseHook = nullptr;
}

void TAudioskazkiForm::FormShow(TObject*)
{
    WebBrowser1->Navigate(String(HomeSite) + u"/channels2/skazki.html");
}

void TAudioskazkiForm::FormClose(TObject*, TCloseAction&)
{
    // Blanking the page is what stops the sound.
    WebBrowser1->Navigate(u"about:blank");
    if (!Form1->Visible())
        Form1->Close();
}

void TAudioskazkiForm::sSpeedButton1Click(TObject*)
{
    if (Form1->Visible())
        Form1->Hide();
    else
        Form1->Show();
}

void TAudioskazkiForm::sSpeedButton2Click(TObject*)
{
    // Owned by the desktop rather than the main window, the window stays up when the main one
    // is hidden.
    platform::SetWindowLongPtr(Handle(), platform::GWL_HWNDPARENT,
                               reinterpret_cast<platform::LONG_PTR>(platform::GetDesktopWindow()));
    platform::SetWindowPos(Handle(), platform::HWND_TOPMOST, 0, 0, 0, 0, platform::SWP_NOMOVE | platform::SWP_NOSIZE);
    sSpeedButton2->SetVisible(false);
    sSpeedButton3->SetVisible(true);
    sSpeedButton1->SetEnabled(false);
}

void TAudioskazkiForm::sSpeedButton3Click(TObject*)
{
    platform::SetWindowLongPtr(Handle(), platform::GWL_HWNDPARENT,
                               reinterpret_cast<platform::LONG_PTR>(platform::GetDesktopWindow()));
    platform::SetWindowPos(Handle(), platform::HWND_NOTOPMOST, 0, 0, 0, 0,
                           platform::SWP_NOMOVE | platform::SWP_NOSIZE);
    sSpeedButton2->SetVisible(true);
    sSpeedButton3->SetVisible(false);
    sSpeedButton1->SetEnabled(true);
}

platform::LRESULT MouseProc(int nCode, platform::WPARAM WP, platform::LPARAM LP)
{
    platform::LRESULT result = platform::CallNextHookEx(HMouseHook, nCode, WP, LP);
    if (nCode != platform::HC_ACTION)
        return result;
    platform::MOUSEHOOKSTRUCT record = *reinterpret_cast<const platform::MOUSEHOOKSTRUCT*>(LP);
    if (WP != platform::WM_RBUTTONDOWN && WP != platform::WM_RBUTTONUP)
        return result;
    auto* view = dynamic_cast<TWebBrowser*>(FindControlAt(record.pt));
    if (!view)
        return result;
    result = 1;
    if (view->PopupMenu() && WP == platform::WM_RBUTTONUP && !Pop) {
        // Cleared however the menu ends, or no popup would ever show again.
        struct PopGuard {
            PopGuard() { Pop = true; }
            ~PopGuard() { Pop = false; }
        } guard;
        view->PopupMenu()->Popup(record.pt.x, record.pt.y);
    }
    return result;
}

} // namespace ui
