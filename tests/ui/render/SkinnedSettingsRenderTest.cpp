// The settings window, with its skin list dropped down, and the donation window in six internal
// skins of different kinds (flat, gradient, textured, rounded, dark, high contrast), each compared
// with a reference picture a person has looked at. The settings picture is cut from the screen so
// that it holds the list window below the combo box too.
#include "SixKindsOfSkin.h"

#include "../../support/ReferencePicture.h"
#include "../WindowSetTester.h"

#include "platform/window/Window.h"
#include "toolkit/TComboDropList.h"

#include <algorithm>

using namespace uitest;

namespace {

class SkinnedSettingsTest : public WindowSetTest, public ::testing::WithParamInterface<KindOfSkin> {
protected:
    // The screen's pixels of the window and of the open list, in the rectangle that holds both;
    // whatever else the screen shows there (the main window behind) is left out in grey.
    platform::Bitmap WindowWithList(toolkit::TForm* form, toolkit::TWinControl* list)
    {
        platform::RECT w{}, l{}, r{};
        platform::GetWindowRect(form->Handle(), &w);
        platform::GetWindowRect(list->Handle(), &l);
        platform::UnionRect(&r, w, l);
        const platform::Bitmap screen = tester->Screenshot();
        platform::Bitmap shot(r.Width(), r.Height());
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x) {
                const platform::POINT p{r.left + x, r.top + y};
                const bool shown = w.Contains(p) || l.Contains(p);
                shot.SetPixel(x, y, shown ? screen.Pixel(p.x, p.y) | 0xFF000000u : platform::MakePixel(128, 128, 128));
            }
        return shot;
    }
};

} // namespace

TEST_P(SkinnedSettingsTest, TheSettingsWindowWithItsListOpenAndTheDonationWindowMatchTheirReferences)
{
    Start();
    ui::Form1->sSkinManager1->SetSkinName(GetParam().skin);
    ui::Form1->Show();
    tester->Pump();

    ui::SettingForm->Show();
    tester->Pump();
    skin::TsComboBox* combo = ui::SettingForm->sComboBox1;
    combo->SetItemIndex(20);
    combo->SetDroppedDown(true);
    tester->Advance(500);
    ASSERT_TRUE(combo->DroppedDown());
    testsupport::ExpectMatchesReference(WindowWithList(ui::SettingForm, combo->ListWindow()),
                                        std::string("settings-window-") + GetParam().name);
    combo->SetDroppedDown(false);
    ui::SettingForm->Hide();
    tester->Pump();

    ui::DonationForm->Show();
    tester->Pump();
    testsupport::ExpectMatchesReference(tester->WindowShot(ui::DonationForm),
                                        std::string("donation-window-") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(SixKinds, SkinnedSettingsTest, SixKindsOfSkin, KindTestName);
