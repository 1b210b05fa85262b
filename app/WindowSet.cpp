#include "app/WindowSet.h"

#include "platform/window/Message.h"
#include "toolkit/TApplication.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

namespace app {

using namespace toolkit;

TApplication* CreateWindowSet()
{
    TApplication* application = CreateApplication();
    CreateWindows(application);
    return application;
}

TApplication* CreateApplication()
{
    auto* application = new TApplication(nullptr);
    application->SetTitle(u"Lumo TV Player");
    application->MainFormOnTaskBar = true;
    return application;
}

void CreateWindows(TApplication* application, platform::StringView settingsFile)
{
    application->CreateForm(ui::Form1);
    if (!settingsFile.empty()) {
        delete ui::ini;
        ui::ini = new toolkit::TIniFile(settingsFile);
    }
    application->CreateForm(ui::AboutForm);
    application->CreateForm(ui::AudioskazkiForm);
    application->CreateForm(ui::DonationForm);
    application->CreateForm(ui::HelpForm);
    application->CreateForm(ui::TVProgrammForm);
    application->CreateForm(ui::SettingForm);
}

int RunMessageLoop(TApplication* application)
{
    // TApplication::Run's loop, keeping the quit code: the screenshot mode ends with 1 when it
    // cannot write its file.
    int quitCode = 0;
    if (TCustomForm* main = application->MainForm(); main && application->ShowMainForm)
        main->Show();
    while (!application->Terminated()) {
        platform::MSG msg{};
        if (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE) && msg.message == platform::WM_QUIT)
            quitCode = int(msg.wParam);
        try {
            application->HandleMessage();
        } catch (...) {
            application->HandleException(application);
        }
    }
    return quitCode;
}

void ForgetWindowSet()
{
    ui::Form1 = nullptr;
    ui::AboutForm = nullptr;
    ui::AudioskazkiForm = nullptr;
    ui::DonationForm = nullptr;
    ui::HelpForm = nullptr;
    ui::TVProgrammForm = nullptr;
    ui::SettingForm = nullptr;
}

void DestroyWindowSet(TApplication* application)
{
    // The application frees its forms last created first.
    delete application;
    ForgetWindowSet();
}

int RunWindowSet()
{
    TApplication* application = CreateWindowSet();
    int exitCode = RunMessageLoop(application);
    DestroyWindowSet(application);
    return exitCode;
}

} // namespace app
