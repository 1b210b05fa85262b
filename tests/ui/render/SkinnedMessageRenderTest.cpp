// The settings window's reset question as the program asks it, taken over by the skin manager's
// dialog hook, in six internal skins of different kinds, each compared with a reference picture a
// person has looked at. The question is answered with Cancel, so nothing is reset.
#include "../../support/ReferencePicture.h"
#include "../WindowSetTester.h"

#include "platform/window/Window.h"
#include "toolkit/TMessageForm.h"

#include <algorithm>

using namespace uitest;

namespace {

struct KindOfSkin {
    const char* name;
    const char16_t* skin;
};

class SkinnedMessageTest : public WindowSetTest, public ::testing::WithParamInterface<KindOfSkin> {};

} // namespace

TEST_P(SkinnedMessageTest, TheResetQuestionMatchesItsReference)
{
    Start();
    ui::Form1->sSkinManager1->SetSkinName(GetParam().skin);
    ui::Form1->Show();
    ui::SettingForm->Show();
    tester->Pump();
    bool shown = false;
    tester->WhenModal([&] {
        auto* question = dynamic_cast<toolkit::TMessageForm*>(
            toolkit::TWinControl::FindControl(toolkit::FormTester::ActiveModalWindow()));
        ASSERT_NE(question, nullptr);
        shown = true;
        tester->Advance(500);
        testsupport::ExpectMatchesReference(tester->WindowShot(question),
                                            std::string("message-form-") + GetParam().name);
        question->SetModalResult(toolkit::mrCancel);
    });
    tester->Click(ui::SettingForm->sBitBtn2);
    tester->Pump();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(std::filesystem::exists(folder / "Config.ini")); // Cancel resets nothing
}

INSTANTIATE_TEST_SUITE_P(SixKinds, SkinnedMessageTest,
                         ::testing::Values(KindOfSkin{"flat-metroui", u"MetroUI (internal)"},
                                           KindOfSkin{"gradient-office2007-blue", u"Office2007 Blue (internal)"},
                                           KindOfSkin{"textured-wood", u"Wood (internal)"},
                                           KindOfSkin{"rounded-air", u"Air (internal)"},
                                           KindOfSkin{"dark-darkmetro", u"DarkMetro (internal)"},
                                           KindOfSkin{"high-contrast-flatline", u"Flatline (internal)"}),
                         [](const ::testing::TestParamInfo<KindOfSkin>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
