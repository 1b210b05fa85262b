// The audio tales, TV guide, help and about windows with their skinned frames in the six kinds of
// skin, each compared with a reference picture a person has looked at (the settings and donation
// windows have theirs with the settings window's open list, the main window with its button
// states). The web views are empty on the virtual screen.
#include "SixKindsOfSkin.h"

#include "../../support/ReferencePicture.h"
#include "../WindowSetTester.h"

#include "skin/forms/TsSkinProvider.h"

using namespace uitest;

namespace {

class SkinnedSecondaryWindowsTest : public WindowSetTest, public ::testing::WithParamInterface<KindOfSkin> {};

} // namespace

TEST_P(SkinnedSecondaryWindowsTest, EachWindowWithItsFrameMatchesItsReference)
{
    Start();
    ui::Form1->sSkinManager1->SetSkinName(GetParam().skin);
    ASSERT_EQ(ui::Form1->sSkinManager1->SkinName(), GetParam().skin);
    ui::Form1->Show();
    tester->Pump();
    const std::pair<toolkit::TForm*, const char*> windows[] = {{ui::AudioskazkiForm, "audio-tales-window-"},
                                                               {ui::TVProgrammForm, "tv-guide-window-"},
                                                               {ui::HelpForm, "help-window-"},
                                                               {ui::AboutForm, "about-window-"}};
    for (auto [form, name] : windows) {
        SCOPED_TRACE(name);
        form->Show();
        tester->Pump();
        const skin::TsSkinProvider* provider = skin::TsSkinProvider::Of(form);
        ASSERT_TRUE(provider && provider->DrawsFrame()) << "the window was shown without its skinned frame";
        testsupport::ExpectMatchesReference(tester->WindowShot(form), name + std::string(GetParam().name));
        form->Hide();
        tester->Pump();
    }
}

INSTANTIATE_TEST_SUITE_P(SixKinds, SkinnedSecondaryWindowsTest, SixKindsOfSkin, KindTestName);
