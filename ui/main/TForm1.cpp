#include "ui/main/TForm1.h"

#include "assets/skins/EmbeddedSkins.h"
#include "platform/system/Paths.h"
#include "skin/package/InternalSkins.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TBitmap.h"
#include "ui/main/ArtPicture.h"
#include "ui/main/ConfigLocation.h"
#include "ui/main/RequestFilter.h"
#include "ui/main/Sites.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"
#include "ui/windows/WindowLook.h"

#include <chrono>
#include <thread>
#include <utility>

namespace ui {

using namespace toolkit;

TForm1* Form1 = nullptr;
TIniFile* ini = nullptr;

namespace {

// The counter of nudge steps stays within this many steps either way of a source's geometry.
constexpr int NudgeLimit = 20;
constexpr int NudgeStep = 5;

skin::TsPanel* MakePanel(TForm1* form, StringView name, int top, int height, TAlign align, int tabOrder)
{
    auto* panel = new skin::TsPanel(form);
    panel->SetName(name);
    panel->SetParent(form);
    panel->SetBounds(0, top, 659, height);
    panel->SetAlign(align);
    panel->SetShowCaption(false);
    panel->SetTabOrder(tabOrder);
    panel->SkinData()->SetSkinSection(u"PANEL");
    return panel;
}

template <class Button>
void SetButtonLook(Button* button, StringView hint, StringView section)
{
    button->SetCursor(crHandPoint);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->SkinData()->SetSkinSection(section);
    TBitmap glyph;
    glyph.SetBitmap(ArtPicture(platform::Utf16ToUtf8(button->Name())), true);
    button->SetGlyph(&glyph);
}

} // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"Form1");
    SetCaption(u"Lumo TV Player");
    SetFixedWindowLook(this, 659, 533, TBorderIcons{biSystemMenu, biMinimize}, poScreenCenter);
    Icon()->SetBitmap(ArtPicture("Form1Icon"));

    sPanel1 = MakePanel(this, u"sPanel1", 0, 40, alTop, 0);
    sPanel2 = MakePanel(this, u"sPanel2", 493, 40, alBottom, 1);
    sPanel3 = MakePanel(this, u"sPanel3", 40, 453, alClient, 2);

    Chromium1 = new engine::TChromium(this);
    Chromium1->SetName(u"Chromium1");
    Chromium1->SetParent(sPanel3);
    Chromium1->SetBounds(-5, -5, 700, 460);
    Chromium1->SetTabOrder(0);
    Chromium1->SetDefaultUrl(u"about:blank");

    // The internal skins are part of the main window's design data.
    skinManager_ = std::make_unique<skin::TsSkinManager>();
    sSkinManager1 = skinManager_.get();
    skin::FillInternalSkins(sSkinManager1->InternalSkins(), assets::EmbeddedSkinPackages());

    CreateSourceButtons();
    CreateToolButtons();

    MoveEdit = new TEdit(this);
    MoveEdit->SetName(u"MoveEdit");
    MoveEdit->SetParent(sPanel2);
    MoveEdit->SetBounds(514, 8, 20, 21);
    MoveEdit->SetTabOrder(0);
    MoveEdit->SetText(u"0");
    MoveEdit->SetVisible(false);

    ConnectEvents();
}

TForm1::~TForm1() = default;

void TForm1::CreateSourceButtons()
{
    struct SourceButton {
        skin::TsBitBtn*& field;
        const char16_t* name;
        int left;
        const char16_t* caption;
    };
    const SourceButton buttons[] = {
        {sBitBtn1, u"sBitBtn1", 2, u"Сервер 1"},   {sBitBtn2, u"sBitBtn2", 111, u"Сервер 2"},
        {sBitBtn3, u"sBitBtn3", 220, u"Сервер 3"}, {sBitBtn4, u"sBitBtn4", 330, u"Сервер 4"},
        {sBitBtn5, u"sBitBtn5", 440, u"Сервер 5"}, {sBitBtn6, u"sBitBtn6", 549, u"Радио"},
    };
    for (const SourceButton& s : buttons) {
        auto* button = new skin::TsBitBtn(this);
        button->SetName(s.name);
        button->SetParent(sPanel1);
        button->SetBounds(s.left, 2, 107, 36);
        button->SetCaption(s.caption);
        SetButtonLook(button, s.caption, u"BUTTON");
        s.field = button;
    }
    // A tab order moves the others aside, so they are given from the lowest up.
    const std::pair<skin::TsBitBtn*, int> tabOrders[] = {
        {sBitBtn1, 0}, {sBitBtn3, 1}, {sBitBtn5, 2}, {sBitBtn6, 3}, {sBitBtn2, 4}, {sBitBtn4, 5},
    };
    for (auto [button, order] : tabOrders)
        button->SetTabOrder(order);
}

void TForm1::CreateToolButtons()
{
    struct ToolButton {
        skin::TsSpeedButton*& field;
        const char16_t* name;
        int left;
        const char16_t* hint;
    };
    const ToolButton buttons[] = {
        {sSpeedButton1, u"sSpeedButton1", 2, u"Телепрограмма"},
        {sSpeedButton2, u"sSpeedButton2", 36, u"Рекомендуем посмотреть"},
        {sSpeedButton3, u"sSpeedButton3", 70, u"Аудиосказки"},
        {sSpeedButton9, u"sSpeedButton9", 104, u"IPTV"},
        {sSpeedButton4, u"sSpeedButton4", 154, u"Настройки"},
        {sSpeedButton5, u"sSpeedButton5", 188, u"Помощь"},
        {sSpeedButton6, u"sSpeedButton6", 222, u"О программе"},
        {sSpeedButton7, u"sSpeedButton7", 256, u"Пожертвование"},
        {sSpeedButton12, u"sSpeedButton12", 306, u"Фильмы"},
        {sSpeedButton13, u"sSpeedButton13", 340, u"Сериалы"},
        {sSpeedButton11, u"sSpeedButton11", 540, u"Вверх"},
        {sSpeedButton10, u"sSpeedButton10", 574, u"Вниз"},
        {sSpeedButton8, u"sSpeedButton8", 624, u"Выключить"},
    };
    for (const ToolButton& s : buttons) {
        auto* button = new skin::TsSpeedButton(this);
        button->SetName(s.name);
        button->SetParent(sPanel2);
        button->SetBounds(s.left, 4, 32, 32);
        SetButtonLook(button, s.hint, u"SPEEDBUTTON");
        s.field = button;
    }
}

void TForm1::ConnectEvents()
{
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };

    sBitBtn1->OnClick = [this](TObject* sender) { sBitBtn1Click(sender); };
    sBitBtn2->OnClick = [this](TObject* sender) { sBitBtn2Click(sender); };
    sBitBtn3->OnClick = [this](TObject* sender) { sBitBtn3Click(sender); };
    sBitBtn4->OnClick = [this](TObject* sender) { sBitBtn4Click(sender); };
    sBitBtn5->OnClick = [this](TObject* sender) { sBitBtn5Click(sender); };
    sBitBtn6->OnClick = [this](TObject* sender) { sBitBtn6Click(sender); };
    sSpeedButton1->OnClick = [this](TObject* sender) { sSpeedButton1Click(sender); };
    sSpeedButton2->OnClick = [this](TObject* sender) { sSpeedButton2Click(sender); };
    sSpeedButton3->OnClick = [this](TObject* sender) { sSpeedButton3Click(sender); };
    sSpeedButton4->OnClick = [this](TObject* sender) { sSpeedButton4Click(sender); };
    sSpeedButton5->OnClick = [this](TObject* sender) { sSpeedButton5Click(sender); };
    sSpeedButton6->OnClick = [this](TObject* sender) { sSpeedButton6Click(sender); };
    sSpeedButton7->OnClick = [this](TObject* sender) { sSpeedButton7Click(sender); };
    sSpeedButton8->OnClick = [this](TObject* sender) { sSpeedButton8Click(sender); };
    sSpeedButton9->OnClick = [this](TObject* sender) { sSpeedButton9Click(sender); };
    sSpeedButton10->OnClick = [this](TObject* sender) { sSpeedButton10Click(sender); };
    sSpeedButton11->OnClick = [this](TObject* sender) { sSpeedButton11Click(sender); };
    sSpeedButton12->OnClick = [this](TObject* sender) { sSpeedButton12Click(sender); };
    sSpeedButton13->OnClick = [this](TObject* sender) { sSpeedButton13Click(sender); };

    Chromium1->OnBeforeResourceLoad = Chromium1BeforeResourceLoad;
    Chromium1->OnBeforePopup = Chromium1BeforePopup;
    Chromium1->OnContextMenuCommand = Chromium1ContextMenuCommand;
}

void TForm1::Loaded()
{
    TForm::Loaded();
    sSkinManager1->Loaded();
}

void TForm1::FormCreate(TObject*)
{
    ini = OpenSettingsStore();
    Chromium1->Load(SourceAddress(SourceTable[HomePageSource], platform::ExecutableDirectory()));
    // Hidden still: the focus is taken when the window is first shown.
    SetFocus();
}

void TForm1::FormDestroy(TObject*)
{
    delete ini;
    ini = nullptr;
}

void TForm1::SelectSource(SourceIndex index)
{
    const SourceEntry& source = SourceTable[index];
    Chromium1->Refresh();
    if (source.ResetsCounter)
        MoveEdit->SetText(u"0");
    // The pause blocks the engine's pump too, which runs on a timer of this thread.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (source.Mode == ViewportMode::Fill) {
        Chromium1->SetAlign(alClient);
    } else {
        Chromium1->SetAlign(alNone);
        Chromium1->SetHeight(source.Height);
        Chromium1->SetLeft(source.Left);
        Chromium1->SetTop(source.Top);
        Chromium1->SetWidth(source.Width);
    }
    Chromium1->Load(SourceAddress(source, platform::ExecutableDirectory()));
}

// The top moves and the height grows or shrinks by the same amount, so the bottom edge stays
// where it was and only the page moves inside the panel. In fill mode the alignment keeps the
// bounds and only the counter changes.
void TForm1::Nudge(int steps)
{
    int count = StrToInt(MoveEdit->Text());
    if (steps > 0 ? count >= NudgeLimit : count <= -NudgeLimit)
        return;
    Chromium1->SetTop(Chromium1->Top() - NudgeStep * steps);
    Chromium1->SetHeight(Chromium1->Height() + NudgeStep * steps);
    MoveEdit->SetText(IntToStr(StrToInt(MoveEdit->Text()) + steps));
}

void TForm1::sBitBtn1Click(TObject*) { SelectSource(srcServer1); }
void TForm1::sBitBtn2Click(TObject*) { SelectSource(srcServer2); }
void TForm1::sBitBtn3Click(TObject*) { SelectSource(srcServer3); }
void TForm1::sBitBtn4Click(TObject*) { SelectSource(srcServer4); }
void TForm1::sBitBtn5Click(TObject*) { SelectSource(srcServer5); }
void TForm1::sBitBtn6Click(TObject*) { SelectSource(srcRadio); }
void TForm1::sSpeedButton1Click(TObject*) { TVProgrammForm->Show(); }
void TForm1::sSpeedButton2Click(TObject*) { SelectSource(srcRecommended); }
void TForm1::sSpeedButton3Click(TObject*) { AudioskazkiForm->Show(); }
void TForm1::sSpeedButton4Click(TObject*) { SettingForm->Show(); }
void TForm1::sSpeedButton5Click(TObject*) { HelpForm->Show(); }
void TForm1::sSpeedButton6Click(TObject*) { AboutForm->Show(); }
void TForm1::sSpeedButton7Click(TObject*) { DonationForm->Show(); }
void TForm1::sSpeedButton8Click(TObject*) { SelectSource(srcOff); }
void TForm1::sSpeedButton9Click(TObject*) { SelectSource(srcIPTV); }
void TForm1::sSpeedButton10Click(TObject*) { Nudge(-1); }
void TForm1::sSpeedButton11Click(TObject*) { Nudge(+1); }
void TForm1::sSpeedButton12Click(TObject*) { SelectSource(srcFilms); }
void TForm1::sSpeedButton13Click(TObject*) { SelectSource(srcSeries); }

void TForm1::Chromium1BeforeResourceLoad(TObject*, const engine::ICefBrowser&, const engine::ICefFrame&,
                                         const engine::ICefRequest& request, bool& Result)
{
    Result = false;
    // One reading of the address serves all sixteen tokens: the request does not change meanwhile.
    // It is read in the engine's own copy, so the decision allocates nothing of its own.
    Result = HoldsBlockedToken(request.ReadUrl().View());
}

void TForm1::Chromium1BeforePopup(TObject*, const engine::ICefBrowser&, const engine::ICefFrame&,
                                  const engine::String& targetUrl, const engine::String&,
                                  const cef_popup_features_t&, cef_window_info_t&, engine::ICefClient&,
                                  cef_browser_settings_t&, bool&, bool& Result)
{
    Result = true;
    // Let through, the pop-up keeps the opener's client and so this same filter.
    if (PopupAllowed(targetUrl))
        Result = false;
}

void TForm1::Chromium1ContextMenuCommand(TObject*, const engine::ICefBrowser&, const engine::ICefFrame&,
                                         const engine::ICefContextMenuParams&, int, engine::TCefEventFlags,
                                         bool& Result)
{
    // The menu still opens; none of its commands does anything.
    Result = true;
}

} // namespace ui
