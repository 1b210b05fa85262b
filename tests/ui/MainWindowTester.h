// The program's seven windows on the virtual screen, built as the program builds them, with the
// test engine library standing in for the engine: tests click the main window's buttons and
// read what the engine was asked to do.
#pragma once

#include "../engine/TestEngine.h"

#include "app/WindowSet.h"
#include "toolkit/FormTester.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace uitest {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        enginetest::StartRecord();
        enginetest::ResetBinding(u"libcef-complete.so");
        engine::CefSingleProcess = false;
        ASSERT_TRUE(engine::CefLoadLibDefault());
        tester = std::make_unique<toolkit::FormTester>();
        toolkit::TApplication& app = tester->App();
        app.CreateForm(ui::Form1);
        app.CreateForm(ui::AboutForm);
        app.CreateForm(ui::AudioskazkiForm);
        app.CreateForm(ui::DonationForm);
        app.CreateForm(ui::HelpForm);
        app.CreateForm(ui::TVProgrammForm);
        app.CreateForm(ui::SettingForm);
        form = ui::Form1;
        chromium = form->Chromium1;
    }
    void TearDown() override
    {
        tester.reset();
        app::ForgetWindowSet();
        enginetest::ResetBinding(u"libcef-complete.so");
    }

    // The addresses the engine was asked to load, in order.
    static std::vector<std::string> LoadedUrls()
    {
        std::vector<std::string> urls;
        std::string record = enginetest::Record();
        const std::string mark = "load_url ";
        for (size_t at = record.find(mark); at != std::string::npos; at = record.find(mark, at + 1)) {
            size_t end = record.find('\n', at);
            urls.push_back(record.substr(at + mark.size(), end - at - mark.size()));
        }
        return urls;
    }

    std::unique_ptr<toolkit::FormTester> tester;
    ui::TForm1* form = nullptr;
    engine::TChromium* chromium = nullptr;
};

} // namespace uitest
