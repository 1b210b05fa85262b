// The program's seven windows on a virtual screen, built as the program builds them (the test
// engine library standing in for the engine, no Config.ini read) and all shown at once, so that a
// skin change repaints and composes every one of them. One per benchmark run: other benchmarks
// of the program build the virtual screen anew.
#pragma once

#include "app/WindowSet.h"
#include "engine/CefLib.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/frame/MessageBox.h"
#include "skin/manager/TsSkinManager.h"
#include "toolkit/TApplication.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <array>
#include <string>

namespace bench {

class BenchWindowSet {
public:
    BenchWindowSet()
    {
        platform::headless::Reset();
        platform::AnswerMessageBoxesAtOnce(true);
        engine::CefLibrary = u"" LUMO_BINARY_DIR "/tests/libcef-complete.so";
        engine::CefSingleProcess = false;
        engine::CefLoadLibDefault();
        application_ = app::CreateApplication();
        // A path under a file: every setting reads as its default.
        app::CreateWindows(application_, u"/dev/null/Config.ini");
        for (toolkit::TForm* form : Windows())
            form->Show();
        platform::headless::ProcessMessages();
    }
    ~BenchWindowSet()
    {
        delete application_;
        app::ForgetWindowSet();
        platform::headless::Reset();
        // Now, while the engine library's own state still exists.
        engine::CefShutDown();
    }
    BenchWindowSet(const BenchWindowSet&) = delete;
    BenchWindowSet& operator=(const BenchWindowSet&) = delete;

    static std::array<toolkit::TForm*, 7> Windows()
    {
        return {ui::Form1, ui::AboutForm, ui::AudioskazkiForm, ui::DonationForm, ui::HelpForm, ui::TVProgrammForm,
                ui::SettingForm};
    }
    static skin::TsSkinManager& Manager() { return *ui::Form1->sSkinManager1; }

    // Sets the skin name as the settings window does; answers whether it loaded.
    static bool UseSkin(const platform::String& name)
    {
        bool loaded = false;
        Manager().OnSkinLoading = [&loaded] { loaded = true; };
        Manager().SetSkinName(name);
        Manager().OnSkinLoading = nullptr;
        platform::headless::ProcessMessages();
        return loaded;
    }

private:
    toolkit::TApplication* application_ = nullptr;
};

} // namespace bench
