// The program's seven windows on the virtual screen, built in the program's order, with the
// settings store on a Config.ini in a folder of the test's own: the file can be written before a
// start, read after it, and the windows started again on the same folder. Error reports are
// collected instead of shown.
#pragma once

#include "../engine/TestEngine.h"

#include "app/WindowSet.h"
#include "platform/system/Paths.h"
#include "toolkit/FormTester.h"
#include "toolkit/TIniFile.h"
#include "toolkit/TMessageForm.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace uitest {

class WindowSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
            ("lumo-windows-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        configPath = platform::Utf8ToUtf16((folder / "Config.ini").string());
        enginetest::StartRecord();
        enginetest::ResetBinding(u"libcef-complete.so");
        engine::CefSingleProcess = false;
        ASSERT_TRUE(engine::CefLoadLibDefault());
    }

    void TearDown() override
    {
        Stop();
        enginetest::ResetBinding(u"libcef-complete.so");
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder);
    }

    // Builds the seven windows as the program does, the store on path (default: the test's
    // Config.ini) in place of the one beside the executable.
    void Start(const toolkit::String& path = {})
    {
        tester = std::make_unique<toolkit::FormTester>();
        toolkit::TApplication& app = tester->App();
        app.SetTitle(u"Lumo TV Player");
        app.OnException = [this](toolkit::TObject*, const toolkit::Exception& e) {
            reports.push_back(platform::Utf16ToUtf8(e.Message()));
        };
        app.CreateForm(ui::Form1);
        delete ui::ini;
        ui::ini = new toolkit::TIniFile(path.empty() ? configPath : path);
        app.CreateForm(ui::AboutForm);
        app.CreateForm(ui::AudioskazkiForm);
        app.CreateForm(ui::DonationForm);
        app.CreateForm(ui::HelpForm);
        app.CreateForm(ui::TVProgrammForm);
        app.CreateForm(ui::SettingForm);
    }

    void Stop()
    {
        tester.reset();
        app::ForgetWindowSet();
    }

    void WriteConfig(const std::string& text)
    {
        std::ofstream out(folder / "Config.ini", std::ios::binary);
        out << text;
    }

    std::string ReadConfig() const
    {
        std::ifstream in(folder / "Config.ini", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    bool ConfigExists() const { return std::filesystem::exists(folder / "Config.ini"); }

    // Answers the next message windows, one button each by name ("OK", "Cancel"), keeping their
    // titles and texts.
    void AnswerMessages(std::vector<toolkit::String> buttons)
    {
        if (buttons.empty())
            return;
        tester->WhenModal([this, buttons] {
            auto* box = dynamic_cast<toolkit::TMessageForm*>(
                toolkit::TWinControl::FindControl(toolkit::FormTester::ActiveModalWindow()));
            ASSERT_NE(box, nullptr) << "no message window is showing";
            titles.push_back(platform::Utf16ToUtf8(box->Caption()));
            messages.push_back(platform::Utf16ToUtf8(box->MessageLabel()->Caption()));
            AnswerMessages(std::vector<toolkit::String>(buttons.begin() + 1, buttons.end()));
            for (toolkit::TButton* b : box->Buttons())
                if (b->Name() == buttons.front()) {
                    tester->Click(b);
                    return;
                }
            ADD_FAILURE() << "the message window has no such button";
        });
    }
    void AnswerNextMessage(toolkit::StringView button) { AnswerMessages({toolkit::String(button)}); }

    std::filesystem::path folder;
    toolkit::String configPath;
    std::unique_ptr<toolkit::FormTester> tester;
    std::vector<std::string> reports;
    std::vector<std::string> messages;
    std::vector<std::string> titles;
};

} // namespace uitest
