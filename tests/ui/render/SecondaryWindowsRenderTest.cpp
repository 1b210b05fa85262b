// The six windows besides the main one as the user first sees each, compared with pictures a
// person has looked at. The web views are empty on the virtual screen.
#include "../../support/ReferencePicture.h"
#include "../WindowSetTester.h"

using namespace uitest;

TEST_F(WindowSetTest, TheSecondaryWindowsMatchTheirReferencePictures)
{
    Start();
    ui::Form1->Show();
    tester->Pump();
    const std::pair<toolkit::TForm*, const char*> windows[] = {
        {ui::SettingForm, "settings-window"}, {ui::AudioskazkiForm, "audio-tales-window"},
        {ui::TVProgrammForm, "tv-guide-window"}, {ui::HelpForm, "help-window"},
        {ui::AboutForm, "about-window"},       {ui::DonationForm, "donation-window"},
    };
    for (auto [form, name] : windows) {
        SCOPED_TRACE(name);
        form->Show();
        tester->Pump();
        testsupport::ExpectMatchesReference(tester->WindowShot(form), name);
        form->Hide();
        tester->Pump();
    }
}
